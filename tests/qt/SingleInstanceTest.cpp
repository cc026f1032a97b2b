// One running program per user.
#include "platform/qt/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

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

// Sets an environment variable for a scope; none: unset.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<QString> value)
        : name_(name)
        , old_(qEnvironmentVariableIsSet(name) ? std::optional(qEnvironmentVariable(name))
                                               : std::nullopt) {
        set(value);
    }
    ~ScopedVariable() { set(old_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const std::optional<QString>& value) {
        if (value) {
            qputenv(name_, value->toLocal8Bit());
        } else {
            qunsetenv(name_);
        }
    }
    const char* name_;
    std::optional<QString> old_;
};

int modeOf(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0
               ? static_cast<int>(status.st_mode & 07777)
               : -1;
}

TEST(SingleInstanceTest, RuntimeFolderIsOneOnlyThisUserCanWrite) {
    QTemporaryDir temp; // stands in for /tmp
    QTemporaryDir runtime;
    ScopedVariable tmpdir("TMPDIR", temp.path());
    ScopedVariable xdg("XDG_RUNTIME_DIR", std::nullopt);
    const QString own = temp.filePath(QStringLiteral("quillmere-timer-%1").arg(::geteuid()));
    EXPECT_EQ(SingleInstance::runtimeFolder(), own);
    EXPECT_EQ(modeOf(own), 0700);

    // $XDG_RUNTIME_DIR comes first, unless others can write it.
    ScopedVariable xdgSet("XDG_RUNTIME_DIR", runtime.path());
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
