#pragma once

// What every Win32 test program does first: GoogleTest takes its flags,
// the program its own arguments, then the tests run.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>

namespace kestrova::win32_tests {

// Runs the program's tests once `take` has the arguments left after
// GoogleTest's flags: as many as `names`, which the usage line shows.
inline int RunTests(int argc, char** argv, std::initializer_list<const char*> names,
                    const std::function<void(char** arguments)>& take) {
    // What passed so far, should a test hang.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != int(names.size()) + 1) {
        std::string usage;
        for (const char* name : names) usage.append(" ").append(name);
        std::fprintf(stderr, "usage: %s [GoogleTest's flags]%s\n", argv[0], usage.c_str());
        return 2;
    }
    take(argv + 1);
    // The screen's density as it is, as kestrova.exe's manifest asks: a
    // window made here takes it, and another program's window is measured
    // in its own pixels, unscaled.
    SetProcessDPIAware();
    // The annotation service's stand-in and the accessibility objects are
    // COM's.
    CoInitialize(nullptr);
    return RUN_ALL_TESTS();
}

}  // namespace kestrova::win32_tests
