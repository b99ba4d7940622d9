// lamino-drive-web: plays the commands on standard input against lamino.html
// in Debian's headless Chromium, printing what lamino-drive prints.
//   lamino-drive-web [--shots] PAGE.html

#include "BrowserPage.h"
#include "WebSession.h"

#include <iostream>
#include <string>
#include <vector>

#ifndef LAMINO_DRIVE_WEB_SCRIPT
#error "LAMINO_DRIVE_WEB_SCRIPT names browser.mjs"
#endif

int main(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    bool shots = false;
    if (!arguments.empty() && arguments.front() == "--shots") {
        shots = true;
        arguments.erase(arguments.begin());
    }
    if (arguments.size() != 1) {
        std::cerr << "usage: lamino-drive-web [--shots] PAGE.html < SCENARIO\n";
        return 2;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(std::cin, line);) lines.push_back(line);
    int status = 0;
    try {
        BrowserPage page(LAMINO_DRIVE_WEB_SCRIPT, arguments.front());
        WebSession session(page, std::cout);
        session.screenshots = shots;
        for (size_t n = 0; n < lines.size(); ++n) {
            try {
                session.Execute(lines[n]);
            } catch (const std::exception& error) {
                std::cerr << "line " << n + 1 << ": " << error.what() << "\n";
                status = 2;
                break;
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "lamino-drive-web: " << error.what() << "\n";
        status = 2;
    }
    std::cout.flush();
    return status;
}
