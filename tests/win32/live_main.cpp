// Starts kestrova.exe for each test suite and checks it from outside.
//   win32_live_window_tests.exe [GoogleTest's flags] PROGRAM DPI
// PROGRAM: the Windows path of kestrova.exe; DPI: the dots per inch its
// window must use.
#include <cstdlib>
#include <string>

#include "tests/win32/live_window.h"
#include "tests/win32/test_main.h"

int main(int argc, char** argv) {
    return kestrova::win32_tests::RunTests(argc, argv, {"PROGRAM", "DPI"}, [](char** arguments) {
        const std::string program = arguments[0];
        kestrova::win32_tests::SetProgram(std::wstring(program.begin(), program.end()), UINT(std::atoi(arguments[1])));
    });
}
