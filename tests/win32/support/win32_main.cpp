// Entry of every Win32 test executable: the process-wide lock exists before any test runs, as at start-up.
#include <gtest/gtest.h>

#include "app/app_state.h"

int main(int argc, char** argv) {
    StateLockCreate();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
