// The settings file: typed reads of whatever a user or a crash left in it, writes key by key.
#include "platform/qt/QtDefaultsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere::qt {
namespace {

class DefaultsStoreTest : public ::testing::Test {
protected:
    void write(const QByteArray& content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QTemporaryDir folder;
    QString path = folder.filePath("Quillmere Timer.conf");
};

TEST_F(DefaultsStoreTest, HandWrittenValuesSurviveARestartBesideWrittenOnes) {
    write("[General]\nTimerInterval=900.7\nMute=garbage\nAlertSound=Sonar, Bowl\nVersion=\n"
          "UnknownKey=kept\n");
    {
        QtDefaultsStore store(path);
        EXPECT_EQ(store.integerValue("TimerInterval"), 900);
        EXPECT_FALSE(store.boolValue("Mute"));                     // QVariant would read it as true
        EXPECT_EQ(store.stringValue("AlertSound"), "Sonar, Bowl"); // a list to QSettings
        EXPECT_EQ(store.stringValue("Version"), "");               // present, so not a first run
        EXPECT_EQ(store.stringValue("Missing"), std::nullopt);
        store.setBool("Mute", true);
        store.setDouble("TimerInterval", 1500);
    }
    QtDefaultsStore again(path);
    EXPECT_TRUE(again.boolValue("Mute"));
    EXPECT_EQ(again.integerValue("TimerInterval"), 1500);
    EXPECT_EQ(again.stringValue("UnknownKey"), "kept");
}

TEST_F(DefaultsStoreTest, CorruptFileNeverCrashesAndIsNotThrownAway) {
    static const char bytes[] =
        "\x00\xff[[[General\n=novalue\nTimerInterval=1200\n\xc3\x28=\x80\n@Variant(\x01)\n";
    const QByteArray garbage(bytes, sizeof bytes - 1); // with its NUL byte, without the last
    write(garbage);
    QtDefaultsStore store(path);
    EXPECT_NO_FATAL_FAILURE(store.integerValue("TimerInterval"));
    store.setBool("Mute", true);
    store.setBool("Mute", false);
    EXPECT_FALSE(QtDefaultsStore(path).boolValue("Mute"));
    // What QSettings could not parse is kept, byte for byte, once, beside the rewritten file.
    QFile kept(path + ".unreadable");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), garbage);
    EXPECT_FALSE(QFile::exists(path + ".unreadable-2"));
}

TEST_F(DefaultsStoreTest, FifoOrHugeFileIsSetAsideUnopenedAndTheStoreStartsEmpty) {
    // A FIFO: a read would wait for a writer for ever. A second name for it stays put.
    const QByteArray fifo = QFile::encodeName(path);
    const QByteArray alias = QFile::encodeName(folder.filePath("pipe"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_EQ(::link(fifo.constData(), alias.constData()), 0);
    std::atomic<bool> released{false};
    std::atomic<bool> openedByStore{false};
    std::thread writer([&] {
        const int end = ::open(alias.constData(), O_WRONLY); // returns once a reader opens
        openedByStore = !released;
        ::close(end);
    });
    {
        QtDefaultsStore store(path);
        released = true;
        const int reader = ::open(alias.constData(), O_RDONLY | O_NONBLOCK);
        writer.join();
        ::close(reader);
        EXPECT_FALSE(openedByStore);
        EXPECT_FALSE(store.contains("Version"));
        store.setBool("Mute", true);
    }
    EXPECT_TRUE(QtDefaultsStore(path).boolValue("Mute")); // in a new plain file
    struct stat kept {};                                  // the FIFO, kept beside it
    EXPECT_TRUE(::stat(QFile::encodeName(path + ".unreadable").constData(), &kept) == 0 &&
                S_ISFIFO(kept.st_mode));

    // Larger than any settings file: kept as it is, not read, not written back.
    const QByteArray huge = "[General]\nTimerInterval=1200\n" + QByteArray(2 << 20, '#');
    write(huge);
    QtDefaultsStore store(path);
    EXPECT_FALSE(store.contains("TimerInterval"));
    store.setBool("Mute", false);
    EXPECT_LT(QFileInfo(path).size(), 1024);
    EXPECT_EQ(QFileInfo(path + ".unreadable-2").size(), huge.size());
}

} // namespace
} // namespace quillmere::qt
