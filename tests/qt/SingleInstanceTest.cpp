// One running program per user.
#include "platform/qt/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace quillmere::qt {
namespace {

TEST(SingleInstanceTest, ALockLeftByACrashDoesNotBlockButARunningOneDoesUntilItEnds) {
    QTemporaryDir folder;
    // A lock file naming a process that no longer exists.
    QFile lock(folder.filePath("quillmere-timer.lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly) && lock.write("2147483646\nquillmere-timer\n\n"));
    lock.close();
    auto first = std::make_unique<SingleInstance>(folder.path(), "quillmere-timer");
    ASSERT_TRUE(first->acquire());
    SingleInstance second(folder.path(), "quillmere-timer");
    EXPECT_FALSE(second.acquire());
    first.reset();
    EXPECT_TRUE(second.acquire());
}

// Elsewhere another user could take the lock's name first and keep the program from starting.
TEST(SingleInstanceTest, AFolderOthersCanWriteHoldsNoLockAndBlocksNoStart) {
    QTemporaryDir folder;
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0777), 0);
    SingleInstance first(folder.path(), "quillmere-timer");
    SingleInstance second(folder.path(), "quillmere-timer");
    EXPECT_TRUE(first.acquire());
    EXPECT_TRUE(second.acquire());
    EXPECT_FALSE(QFile::exists(folder.filePath("quillmere-timer.lock")));
}

// Puts an environment variable back as it was (unset and empty mean the same to the folder).
struct RestoredVariable {
    const char* name;
    QByteArray value = qgetenv(name);
    ~RestoredVariable() { qputenv(name, value); }
};

TEST(SingleInstanceTest, RuntimeFolderIsOneOnlyThisUserCanWrite) {
    QTemporaryDir temp; // stands in for /tmp
    QTemporaryDir runtime;
    const RestoredVariable tmpdir{"TMPDIR"};
    const RestoredVariable xdg{"XDG_RUNTIME_DIR"};
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    qputenv("XDG_RUNTIME_DIR", "");
    const QString own = temp.filePath(QStringLiteral("quillmere-timer-%1").arg(::geteuid()));
    EXPECT_EQ(SingleInstance::runtimeFolder(), own);
    EXPECT_EQ(QFileInfo(own).permissions() & 0x0077, 0); // nothing for group or others

    // $XDG_RUNTIME_DIR comes first, unless others can write it.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EXPECT_EQ(SingleInstance::runtimeFolder(), runtime.path());
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0777), 0);
    EXPECT_EQ(SingleInstance::runtimeFolder(), own);

    // Our name taken first, by a link or by another user: no folder at all.
    ASSERT_TRUE(QDir(own).removeRecursively());
    ASSERT_TRUE(QFile::link(temp.path(), own));
    EXPECT_EQ(SingleInstance::runtimeFolder(), QString());
    ASSERT_TRUE(QFile::remove(own));
    if (::geteuid() == 0) {
        ASSERT_TRUE(QDir().mkdir(own));
        ASSERT_EQ(::chown(QFile::encodeName(own).constData(), 65534, 65534), 0);
        EXPECT_EQ(SingleInstance::runtimeFolder(), QString());
    }
}

} // namespace
} // namespace quillmere::qt
