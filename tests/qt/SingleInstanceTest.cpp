// One running program per user.
#include "platform/qt/SingleInstance.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillmere::qt {
namespace {

TEST(SingleInstanceTest, SecondStartIsRefusedUntilTheFirstEnds) {
    QTemporaryDir folder;
    auto first = std::make_unique<SingleInstance>(folder.path(), "quillmere-timer");
    ASSERT_TRUE(first->acquire());
    SingleInstance second(folder.path(), "quillmere-timer");
    EXPECT_FALSE(second.acquire());
    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST(SingleInstanceTest, LockLeftByACrashedRunDoesNotBlock) {
    QTemporaryDir folder;
    // A lock file naming a process that no longer exists, and its socket file.
    QFile lock(folder.filePath("quillmere-timer.lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("2147483646\nquillmere-timer\n\n");
    lock.close();
    QFile socket(folder.filePath("quillmere-timer.socket"));
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();
    SingleInstance next(folder.path(), "quillmere-timer");
    EXPECT_TRUE(next.acquire());
}

} // namespace
} // namespace quillmere::qt
