#include "platform/qt/QtResources.h"
#include "platform/qt/QtSystemLog.h"

#include "core/Log.h"
#include "platform/Image.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillmere::qt {
namespace {

class ResourcesTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"first", "second", "third"}) {
            ASSERT_TRUE(QDir(root.path()).mkdir(name));
            folders.append(root.filePath(name));
        }
    }
    QString file(int folder, const QString& name) const { return folders[folder] + '/' + name; }
    void write(int folder, const QString& name, const QByteArray& bytes) {
        QFile out(file(folder, name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    void writeImage(int folder, const QString& name, QSize size) {
        QImage picture(size, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(file(folder, name), "PNG"));
    }

    QTemporaryDir root;
    QStringList folders;
};

TEST_F(ResourcesTest, TheFirstFolderHoldingARegularFileWins) {
    write(1, "Bowl.m4a", "x");
    write(2, "Bowl.m4a", "x");
    write(2, "BuildInfo.txt", "x");
    ASSERT_TRUE(QDir(folders[0]).mkdir("Bowl.m4a")) << "a folder is no resource";
    QtResources resources(folders);

    EXPECT_EQ(resources.pathForResource("Bowl", "m4a"), file(1, "Bowl.m4a").toStdString());
    EXPECT_EQ(resources.pathForResource("BuildInfo", "txt"),
              file(2, "BuildInfo.txt").toStdString());
    EXPECT_EQ(resources.pathForResource("Sonar", "m4a"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("bowl", "m4a"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("", ""), std::nullopt);

    const QString executableDir = QCoreApplication::applicationDirPath();
    const QStringList standard = QtResources::standardFolders();
    EXPECT_EQ(standard.first(), executableDir + "/resources") << "the build tree comes first";
    EXPECT_TRUE(standard.contains(QUILLMERE_DATA_DIR));
    EXPECT_EQ(standard.last(), QDir::cleanPath(executableDir + "/../share/quillmere-timer"));
}

TEST_F(ResourcesTest, ImagesAreDecodedOnceAndAMissOrAnUndecodableFileGivesNone) {
    writeImage(1, "Quillmere.png", {22, 18});
    writeImage(2, "Quillmere.png", {64, 64});
    write(0, "QuillmereGrey.png", "not a picture");
    writeImage(1, "QuillmereGrey.png", {22, 18});
    QtResources resources(folders);

    const std::shared_ptr<const Image> image = resources.image("Quillmere.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->name(), "Quillmere.png");
    EXPECT_EQ(image->width(), 22);
    EXPECT_EQ(image->height(), 18);
    ASSERT_TRUE(QFile::remove(file(1, "Quillmere.png")));
    EXPECT_EQ(resources.image("Quillmere.png"), image) << "decoded once";

    EXPECT_EQ(resources.image("QuillmereGrey.png"), nullptr) << "the first folder's file counts";
    EXPECT_EQ(resources.image("Missing.png"), nullptr);
    writeImage(0, "Missing.png", {22, 18});
    EXPECT_EQ(resources.image("Missing.png"), nullptr) << "a miss is remembered";
}

// A datagram socket standing in for the journal.
class SystemLogTest : public testing::Test {
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
                const std::size_t start = end + 1;
                end = datagram.find('\n', start);
                fields[key] = datagram.substr(start, end - start);
            } else { // KEY\n, 64-bit little-endian length, bytes, \n
                std::uint64_t length = 0;
                for (int byte = 7; byte >= 0; --byte) {
                    length = length << 8 | static_cast<unsigned char>(datagram.at(end + 1 + byte));
                }
                fields[key] = datagram.substr(end + 9, length);
                end += 9 + length;
                EXPECT_EQ(datagram.at(end), '\n');
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
    EXPECT_TRUE(log.isErrorEnabled());
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

    Log::setLogger(&log);
    testing::internal::CaptureStdout();
    Log::error("through the facade");
    testing::internal::GetCapturedStdout();
    Log::setLogger(nullptr);
    EXPECT_EQ(receive()["MESSAGE"], "through the facade");
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
