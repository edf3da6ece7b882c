#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "core/callback_errors.h"
#include "core/crash_report.h"
#include "core/debug_exception.h"

namespace {

TEST(CrashReportTest, MessageIsTheErrorThenTheReportRequestThenOneContactLine) {
    const std::string message = CrashMessage("Value is not convertible to float.");
    const std::string head =
        "Value is not convertible to float.\n\nPlease report the circumstances of this error, and the above "
        "message, to a member of Team Cendrith.\n";
    ASSERT_EQ(message.substr(0, head.size()), head);
    const std::string contact = message.substr(head.size());
    ASSERT_FALSE(contact.empty());
    EXPECT_EQ(contact.find('\n'), contact.size() - 1);  // exactly one line
}

TEST(CrashReportDeathTest, WithoutADisplayOrWithAnUnreachableOneItPrintsAndExitsWithZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            ExitWithCrashReport(debug::exception("Boom at start-up"));
        },
        ::testing::ExitedWithCode(0), "Boom at start-up\n\nPlease report the circumstances");
    EXPECT_EXIT(
        {
            setenv("DISPLAY", ":987", 1);  // no server there: must not hang on a dialog
            ExitWithCrashReport(std::runtime_error("stale display"));
        },
        ::testing::ExitedWithCode(0), "stale display");
}

TEST(CallbackErrorsTest, TheFirstErrorOfAPollIsRethrownOnce) {
    GuardCallback([] { throw debug::exception("first"); });
    GuardCallback([] { throw debug::exception("second"); });
    try {
        RethrowCallbackError();
        FAIL() << "nothing rethrown";
    } catch (const debug::exception& e) {
        EXPECT_STREQ(e.what(), "first");
    }
    EXPECT_NO_THROW(RethrowCallbackError());
}

}  // namespace
