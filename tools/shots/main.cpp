// lamino-shots DIR: saves a PNG of each tab of Lamino's window into DIR.

#include "Driver.h"
#include "dialog/qt/Application.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ConfigureApplication(app);
    if (argc != 2) {
        std::cerr << "usage: lamino-shots DIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    const char* names[] = {"unit-converter", "v-cut", "gold-finger", "countersink"};
    std::vector<std::string> lines;
    for (int tab = 0; tab < 4; ++tab) {
        lines.push_back("tab " + std::to_string(tab));
        lines.push_back("shot " + dir + "/tab" + std::to_string(tab + 1) + "-" + names[tab] + ".png");
    }
    Driver driver(std::cout, std::cerr);
    driver.EnableScreenshots();
    return driver.Run(lines);
}
