// Starts kestrova.exe for each test suite and checks it from outside.
//   win32_live_window_tests.exe [GoogleTest's flags] PROGRAM DPI
// PROGRAM: the Windows path of kestrova.exe; DPI: the dots per inch its
// window must use.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/win32/live_window.h"

int main(int argc, char** argv) {
    // What passed so far, should a test hang.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s [GoogleTest's flags] PROGRAM DPI\n", argv[0]);
        return 2;
    }
    const std::string program = argv[1];
    kestrova::win32_tests::SetProgram(std::wstring(program.begin(), program.end()), UINT(std::atoi(argv[2])));
    // Coordinates of another program's window as they are, unscaled.
    SetProcessDPIAware();
    CoInitialize(nullptr);
    return RUN_ALL_TESTS();
}
