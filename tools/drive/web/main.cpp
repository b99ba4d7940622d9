// lamino-drive-web: plays the commands on standard input against lamino.html
// in a browser engine (chromium, chromium80, chromium83, firefox, webkit;
// chromium unless --engine or LAMINO_WEB_ENGINE says), printing what
// lamino-drive prints.
//   lamino-drive-web [--shots] [--engine NAME] PAGE.html

#include "BrowserPage.h"
#include "WebSession.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#ifndef LAMINO_DRIVE_WEB_SCRIPT
#error "LAMINO_DRIVE_WEB_SCRIPT names browser.mjs"
#endif

int main(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    bool shots = false;
    const char* fromEnvironment = std::getenv("LAMINO_WEB_ENGINE");
    std::string engine = fromEnvironment && *fromEnvironment ? fromEnvironment : "chromium";
    for (;;) {
        if (!arguments.empty() && arguments.front() == "--shots") {
            shots = true;
            arguments.erase(arguments.begin());
        } else if (arguments.size() > 1 && arguments.front() == "--engine") {
            engine = arguments[1];
            arguments.erase(arguments.begin(), arguments.begin() + 2);
        } else {
            break;
        }
    }
    if (arguments.size() != 1) {
        std::cerr << "usage: lamino-drive-web [--shots] [--engine NAME] PAGE.html < SCENARIO\n";
        return 2;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(std::cin, line);) lines.push_back(line);
    int status = 0;
    try {
        BrowserPage page(LAMINO_DRIVE_WEB_SCRIPT, engine, arguments.front());
        WebSession session(page, std::cout);
        session.screenshots = shots;
        status = session.Play(lines, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "lamino-drive-web: " << error.what() << "\n";
        status = 2;
    }
    std::cout.flush();
    return status;
}
