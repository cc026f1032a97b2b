#include "core/Log.h"

#include "core/Err.h"
#include "platform/sim/SimServices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmere {
namespace {

using sim::SimSystemLog;

std::string errorToStdout(const std::string& msg) {
    testing::internal::CaptureStdout();
    Log::error(msg);
    return testing::internal::GetCapturedStdout();
}

TEST(LogTest, ErrorWritesTheLineToStdoutAndUnchangedToTheSystemLog) {
    SimSystemLog systemLog;
    Log::setLogger(&systemLog);
    const std::vector<std::string> messages = {"Failed to load sound", "", "100% %s %{public}s",
                                               "two\nlines"};
    for (const std::string& msg : messages) {
        EXPECT_EQ(errorToStdout(msg), msg + "\n");
    }
    ASSERT_EQ(systemLog.entries().size(), messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(systemLog.entries()[i].subsystem, "Quillmere Timer");
        EXPECT_EQ(systemLog.entries()[i].category, "QuillmereLog");
        EXPECT_EQ(systemLog.entries()[i].message, messages[i]);
    }
    Log::setLogger(nullptr);
}

TEST(LogTest, WithoutAnErrorLevelOnlyStdoutGetsTheLine) {
    SimSystemLog systemLog;
    systemLog.setErrorEnabled(false);
    Log::setLogger(&systemLog);
    EXPECT_EQ(errorToStdout("dropped by the log"), "dropped by the log\n");
    EXPECT_TRUE(systemLog.entries().empty());

    Log::setLogger(nullptr);
    EXPECT_EQ(errorToStdout("no log set"), "no log set\n");
    EXPECT_TRUE(systemLog.entries().empty());
}

TEST(ErrTest, DescriptionIsTheMessageUnchanged) {
    EXPECT_EQ("Failed to initialize custom audio: " +
                  Err("Invalid URL to audio file").description(),
              "Failed to initialize custom audio: Invalid URL to audio file");
}

} // namespace
} // namespace quillmere
