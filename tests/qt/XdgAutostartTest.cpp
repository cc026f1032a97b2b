// Start at login through the autostart folders, on a configuration folder of the test's own.
#include "platform/qt/linux/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quillmere::testing {
namespace {

class XdgAutostartTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = {qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_CONFIG_DIRS")};
        qputenv("XDG_CONFIG_HOME", root_.filePath("home").toLocal8Bit()); // made when needed
        qputenv("XDG_CONFIG_DIRS", ("relative:" + root_.filePath("system")).toLocal8Bit());
    }
    void TearDown() override {
        qputenv("XDG_CONFIG_HOME", saved_[0]);
        qputenv("XDG_CONFIG_DIRS", saved_[1]);
    }
    void put(const QString& folder, const QByteArray& text) {
        QDir().mkpath(root_.filePath(folder + "/autostart"));
        QFile file(root_.filePath(folder + "/autostart/org.quillmere.Timer.desktop"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray userEntry() {
        QFile file(root_.filePath("home/autostart/org.quillmere.Timer.desktop"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // desktop-file-validate's complaints about the user's entry; none when it is valid.
    QString validate() {
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty()) {
            return {};
        }
        QProcess process;
        process.start(validator, {root_.filePath("home/autostart/org.quillmere.Timer.desktop")});
        process.waitForFinished();
        return QString::fromUtf8(process.readAll()) +
               (process.exitCode() == 0 ? QString() : QStringLiteral("(failed)"));
    }

    QTemporaryDir root_;
    std::array<QByteArray, 2> saved_;
};

TEST_F(XdgAutostartTest, WritesAValidEntryForTheRunningPathAndRemovesItAgain) {
    qt::XdgAutostart autostart("/opt/my apps/quill$mere%");
    EXPECT_FALSE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_TRUE(autostart.isEnabled());
    EXPECT_TRUE(userEntry().contains("\nExec=\"/opt/my apps/quill\\\\$mere%%\"\n")) << userEntry().toStdString();
    EXPECT_EQ(validate(), "");
    struct stat folder {};
    ASSERT_EQ(::stat(root_.filePath("home/autostart").toLocal8Bit().constData(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    EXPECT_EQ(qt::XdgAutostart::execValue("/usr/bin/quillmere-timer"), "/usr/bin/quillmere-timer");

    ASSERT_TRUE(autostart.setEnabled(false));
    EXPECT_FALSE(QFile::exists(root_.filePath("home/autostart/org.quillmere.Timer.desktop")));
    EXPECT_TRUE(autostart.setEnabled(false));
}

TEST_F(XdgAutostartTest, ReflectsWhatIsThereAndKeepsTheUsersOwnEntry) {
    qt::XdgAutostart autostart("/usr/bin/quillmere-timer");
    put("home", "[Desktop Entry]\nType=Application\nExec=true\nHidden = true\n");
    EXPECT_FALSE(autostart.isEnabled());
    put("home", "[Desktop Entry]\nExec=true\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(autostart.isEnabled());
    put("home", "[Other]\nHidden=true\n"); // not a desktop entry: starts nothing
    EXPECT_FALSE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_TRUE(userEntry().contains("Exec=/usr/bin/quillmere-timer"));

    const QByteArray own = "[Desktop Entry]\nType=Application\nExec=quillmere-timer\n[Other]\n"
                           "Hidden=true\n";
    put("home", own);
    EXPECT_TRUE(autostart.isEnabled());
    EXPECT_TRUE(autostart.setEnabled(true));
    EXPECT_EQ(userEntry(), own);

    // A system entry starts it too: switching off then leaves a hidden entry in its place.
    ASSERT_TRUE(autostart.setEnabled(false));
    put("system", own);
    EXPECT_TRUE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(false));
    EXPECT_TRUE(userEntry().endsWith("Hidden=true\n"));
    EXPECT_FALSE(autostart.isEnabled());
    EXPECT_EQ(validate(), "");
}

TEST_F(XdgAutostartTest, APipeAtTheNameIsNeitherReadNorWrittenThrough) {
    QDir().mkpath(root_.filePath("home/autostart"));
    const QString entry = root_.filePath("home/autostart/org.quillmere.Timer.desktop");
    ASSERT_EQ(::mkfifo(entry.toLocal8Bit().constData(), 0600), 0);
    qt::XdgAutostart autostart("/usr/bin/quillmere-timer");
    EXPECT_FALSE(autostart.isEnabled());
    ASSERT_TRUE(autostart.setEnabled(true));
    EXPECT_TRUE(autostart.isEnabled());
}

} // namespace
} // namespace quillmere::testing
