// lamino-drive.exe: plays the commands on standard input against Lamino's
// Win32 main window. With --screenshots, "shot FILE" saves a PNG of it.

#include "Driver.h"

#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

int wmain(int argc, wchar_t* argv[]) {
    _setmode(_fileno(stdout), _O_BINARY);  // the output is compared byte for byte
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for reading the controls' accessible objects
    std::vector<std::string> lines;
    for (std::string line; std::getline(std::cin, line);) lines.push_back(line);
    Driver driver(std::cout, std::cerr);
    if (argc > 1 && std::wstring(argv[1]) == L"--screenshots") driver.EnableScreenshots();
    return driver.Run(lines);
}
