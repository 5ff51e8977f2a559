// Entry of every Win32 test executable: the process-wide lock exists before any test runs, as at start-up,
// and the environment is the Polish one every text of the program is compared in.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "app/app_state.h"

int main(int argc, char** argv) {
    if (GetACP() != 1250) {
        std::fprintf(stderr, "the ANSI code page is %u, not 1250: is the pl_PL.UTF-8 locale there?\n", GetACP());
        return 1;
    }
    StateLockCreate();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
