// Finding resources in the folders of an install or a build, and log lines to the journal.
#include "platform/qt/QtResources.h"
#include "platform/qt/QtSystemLog.h"

#include "platform/Image.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <map>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillmere::qt {
namespace {

TEST(ResourcesTest, TheFirstFolderWithARegularFileWinsAndImagesAreDecodedOnce) {
    QTemporaryDir root;
    const QStringList folders{root.filePath("first"), root.filePath("second"),
                              root.filePath("third")};
    const auto image = [&](int folder, const QString& name) {
        QImage picture(22, 18, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        EXPECT_TRUE(QDir().mkpath(folders[folder]) &&
                    picture.save(folders[folder] + '/' + name, "PNG"));
    };
    image(1, "Quillmere.png");
    image(2, "Quillmere.png");
    ASSERT_TRUE(QDir().mkpath(folders[0] + "/Quillmere.png")) << "a folder is no resource";
    QFile text(folders[0] + "/QuillmereGrey.png");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0 && text.flush());
    image(1, "QuillmereGrey.png");
    QtResources resources(folders);
    EXPECT_EQ(resources.pathForResource("Quillmere", "png"),
              (folders[1] + "/Quillmere.png").toStdString());
    EXPECT_EQ(resources.pathForResource("quillmere", "png"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("", ""), std::nullopt);
    EXPECT_EQ(QtResources::standardFolders().first(),
              QCoreApplication::applicationDirPath() + "/resources")
        << "the build tree comes first";

    const std::shared_ptr<const Image> decoded = resources.image("Quillmere.png");
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->width(), 22);
    ASSERT_TRUE(QFile::remove(folders[1] + "/Quillmere.png"));
    EXPECT_EQ(resources.image("Quillmere.png"), decoded) << "decoded once";
    EXPECT_EQ(resources.image("QuillmereGrey.png"), nullptr) << "the first folder's file counts";
    EXPECT_EQ(resources.image("Missing.png"), nullptr);
    image(0, "Missing.png");
    EXPECT_EQ(resources.image("Missing.png"), nullptr) << "a miss is remembered";
}

// A datagram socket standing in for the journal.
class SystemLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
        ASSERT_EQ(::bind(journal, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    }
    void TearDown() override { ::close(journal); }

    // The fields of the next datagram in the journal's native format; empty when none came.
    std::map<std::string, std::string> receive() const {
        std::string datagram(64 * 1024, '\0');
        const ssize_t size = ::recv(journal, datagram.data(), datagram.size(), MSG_DONTWAIT);
        datagram.resize(size < 0 ? 0 : static_cast<std::size_t>(size));
        std::map<std::string, std::string> fields;
        for (std::size_t at = 0, end = 0; at < datagram.size(); at = end + 1) {
            end = datagram.find_first_of("=\n", at);
            const std::string key = datagram.substr(at, end - at);
            if (datagram.at(end) == '=') { // KEY=value\n
                end = datagram.find('\n', at + key.size() + 1);
                fields[key] = datagram.substr(at + key.size() + 1, end - at - key.size() - 1);
            } else { // KEY\n, 64-bit little-endian length, bytes, \n
                const auto length = qFromLittleEndian<quint64>(datagram.data() + end + 1);
                fields[key] = datagram.substr(end + 9, length);
                end += 9 + length;
            }
        }
        return fields;
    }

    QTemporaryDir folder;
    std::string path = folder.filePath("journal.socket").toStdString();
    int journal = ::socket(AF_UNIX, SOCK_DGRAM, 0);
};

TEST_F(SystemLogTest, EachLineIsOneJournalEntryWithItsTextUnchanged) {
    QtSystemLog log(path);
    for (const std::string& message : {std::string("Failed to initialize custom audio: x"),
                                       std::string(), std::string("100% %s %{public}s"),
                                       std::string("two\nlines"), std::string("a\0b=c\n", 6)}) {
        log.error("Quillmere Timer", "QuillmereLog", message);
        const std::map<std::string, std::string> expected{{"MESSAGE", message},
                                                          {"PRIORITY", "3"},
                                                          {"SYSLOG_IDENTIFIER", "Quillmere Timer"},
                                                          {"QUILLMERE_CATEGORY", "QuillmereLog"}};
        EXPECT_EQ(receive(), expected);
    }
    EXPECT_TRUE(receive().empty()) << "one datagram per line";
}

TEST_F(SystemLogTest, NeitherABusyJournalNorNoJournalHoldsTheCallerUp) {
    QtSystemLog busy(path);
    QElapsedTimer clock;
    clock.start();
    for (int line = 0; line < 500; ++line) { // far beyond the socket's queue, which nobody reads
        busy.error("Quillmere Timer", "QuillmereLog", std::string(1000, 'x'));
    }
    for (const std::string& socket :
         {folder.filePath("none").toStdString(), folder.path().toStdString(),
          "/tmp/" + std::string(200, 'j'), std::string()}) {
        QtSystemLog(socket).error("Quillmere Timer", "QuillmereLog", "to syslog");
    }
    EXPECT_LT(clock.elapsed(), 500);
}

} // namespace
} // namespace quillmere::qt
