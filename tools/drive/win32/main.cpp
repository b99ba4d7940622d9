// lamino-drive.exe [--screenshots]: plays the commands on standard input
// against Lamino's Win32 main window. With --screenshots, "shot FILE" saves
// a PNG of it.
// lamino-drive.exe [--screenshots] --each DIR FILE...: plays each scenario
// file on a main window of its own, one after the other in this process, and
// writes what it printed to DIR/NAME.out (NAME: the file's name less .drive);
// the Windows tests play every file so, without starting a process for each
// under emulation.

#include "Driver.h"

#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(std::istream& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

int PlayEach(bool screenshots, const std::filesystem::path& directory, int count, wchar_t* files[]) {
    int status = 0;
    for (int i = 0; i < count; ++i) {
        const std::filesystem::path file = files[i];
        std::ifstream scenario(file, std::ios::binary);
        std::ofstream out(directory / file.filename().replace_extension(".out"), std::ios::binary);
        if (!scenario || !out) {
            std::cerr << file.string() << ": cannot read it or write what it prints\n";
            status = 2;
            continue;
        }
        Driver driver(out, std::cerr);
        if (screenshots) driver.EnableScreenshots();
        if (driver.Run(ReadLines(scenario)) != 0) {
            std::cerr << "in " << file.string() << "\n";
            status = 2;
        }
    }
    return status;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    _setmode(_fileno(stdout), _O_BINARY);  // the output is compared byte for byte
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for reading the controls' accessible objects
    int next = 1;
    const bool screenshots = next < argc && std::wstring(argv[next]) == L"--screenshots";
    if (screenshots) ++next;
    if (next + 1 < argc && std::wstring(argv[next]) == L"--each")
        return PlayEach(screenshots, argv[next + 1], argc - next - 2, argv + next + 2);
    Driver driver(std::cout, std::cerr);
    if (screenshots) driver.EnableScreenshots();
    return driver.Run(ReadLines(std::cin));
}
