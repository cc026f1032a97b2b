// Start at login through the autostart folders, on configuration folders of the test's own.
#include "platform/qt/linux/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h> // mkfifo

namespace quillmere::testing {
namespace {

class XdgAutostartTest : public ::testing::Test {
protected:
    qt::XdgAutostart autostart(const QString& executable) {
        return {executable, root_.filePath("home"), {root_.filePath("system")}};
    }
    QString entry(const QString& folder = "home") {
        return root_.filePath(folder + "/autostart/org.quillmere.Timer.desktop");
    }
    void put(const QByteArray& text, const QString& folder = "home") {
        QDir().mkpath(root_.filePath(folder + "/autostart"));
        QFile file(entry(folder));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    }
    QByteArray userEntry() {
        QFile file(entry());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // desktop-file-validate's verdict on the user's entry: 0 when valid.
    int validate() { return QProcess::execute("desktop-file-validate", {entry()}); }

    QTemporaryDir root_;
};

TEST_F(XdgAutostartTest, WritesAValidEntryReflectsWhatIsThereAndRemovesOnlyItsOwn) {
    qt::XdgAutostart login = autostart("/opt/my apps/quill$mere%");
    EXPECT_FALSE(login.isEnabled());
    ASSERT_TRUE(login.setEnabled(true));
    EXPECT_TRUE(login.isEnabled());
    EXPECT_TRUE(userEntry().contains("\nExec=\"/opt/my apps/quill\\\\$mere%%\"\n"));
    EXPECT_EQ(validate(), 0);
    ASSERT_TRUE(login.setEnabled(false));
    EXPECT_FALSE(QFile::exists(entry()));

    // A system entry starts it too: switching off then leaves a hidden entry in its place.
    put("[Desktop Entry]\nType=Application\nExec=quillmere-timer\n", "system");
    EXPECT_TRUE(login.isEnabled());
    ASSERT_TRUE(login.setEnabled(false));
    EXPECT_FALSE(login.isEnabled());
    EXPECT_EQ(validate(), 0);

    // What is there counts; an entry of the user's own that starts it is kept as it is.
    for (const QByteArray off : {"[Desktop Entry]\nExec=true\nHidden = true\n",
                                 "[Desktop Entry]\nExec=true\nX-GNOME-Autostart-enabled=false\n",
                                 "[Other]\nExec=true\n"}) {
        put(off);
        EXPECT_FALSE(login.isEnabled()) << off.toStdString();
    }
    ASSERT_TRUE(login.setEnabled(true));
    const QByteArray own = "[Desktop Entry]\nExec=quillmere-timer\n[Other]\nHidden=true\n";
    put(own);
    EXPECT_TRUE(login.setEnabled(true));
    EXPECT_EQ(userEntry(), own);

    // A pipe at the name would block a read and swallow a write: it is neither.
    QFile::remove(entry());
    ASSERT_EQ(::mkfifo(entry().toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(login.isEnabled());
    ASSERT_TRUE(login.setEnabled(true));
    EXPECT_TRUE(login.isEnabled());
}

} // namespace
} // namespace quillmere::testing
