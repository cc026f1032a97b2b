#include "core/Log.h"

#include "platform/sim/SimServices.h"

#include <gtest/gtest.h>

#include <string>

namespace quillmere {
namespace {

std::string errorToStdout(const std::string& msg) {
    testing::internal::CaptureStdout();
    Log::error(msg);
    return testing::internal::GetCapturedStdout();
}

// The line reaches stdout always, and the system log unchanged (never as a format string) where
// it takes errors.
TEST(LogTest, ErrorGoesToStdoutAndToASystemLogThatTakesErrors) {
    sim::SimSystemLog systemLog;
    Log::setLogger(&systemLog);
    EXPECT_EQ(errorToStdout("100% %s %{public}s"), "100% %s %{public}s\n");
    ASSERT_EQ(systemLog.entries().size(), 1u);
    EXPECT_EQ(systemLog.entries()[0].message, "100% %s %{public}s");

    systemLog.setErrorEnabled(false);
    EXPECT_EQ(errorToStdout("dropped by the log"), "dropped by the log\n");
    Log::setLogger(nullptr);
    EXPECT_EQ(errorToStdout("no log set"), "no log set\n");
    EXPECT_EQ(systemLog.entries().size(), 1u);
}

} // namespace
} // namespace quillmere
