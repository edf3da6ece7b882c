// The crash report ends the process with the message on standard error: status
// 0 after a dialog or with no display to show one (a dead display must not
// hang it), status 1 when headless. Callback errors wait for the end of a poll.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/callback_errors.h"
#include "core/crash_report.h"
#include "core/debug_exception.h"

TEST(CrashReportDeathTest, TheMessageGoesToStandardErrorAndTheProcessEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* message = "^Boom\n\nPlease report the circumstances of this error, and the above message, to a member of "
                          "Team Cendrith\\.\n[^\n]+\n$";
    for (const char* display : {"", ":987"})
        EXPECT_EXIT((SetHeadlessCrashReport(false), setenv("DISPLAY", display, 1), ExitWithCrashReport(debug::exception("Boom"))),
                    ::testing::ExitedWithCode(0), message);
    EXPECT_EXIT((SetHeadlessCrashReport(true), ExitWithCrashReport("Boom")), ::testing::ExitedWithCode(1), message);
}

TEST(CallbackErrorsTest, TheFirstErrorOfAPollIsRethrownOnce) {
    GuardCallback([] { throw debug::exception("first"); });
    GuardCallback([] { throw debug::exception("second"); });
    try {
        RethrowCallbackError();
        ADD_FAILURE() << "nothing rethrown";
    } catch (const debug::exception& e) {
        EXPECT_STREQ(e.what(), "first");
    }
    EXPECT_NO_THROW(RethrowCallbackError());
}
