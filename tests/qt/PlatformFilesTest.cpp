// The files the platform reads and writes: the settings file, whatever a user or a crash left in
// it; resources in the folders of an install or a build; log lines to the journal; the lock of
// the one running program per user; the entry that starts it at login; the alert sounds, which
// load, that nothing waits without a sound server, and the real path through a sound server's
// sample cache.
#include "PrivateBus.h"
#include "platform/qt/QtAudio.h"
#include "platform/qt/QtDefaultsStore.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/QtSystemLog.h"
#include "platform/qt/SingleInstance.h"
#include "platform/qt/linux/XdgAutostart.h"

#include "platform/Image.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillmere::qt {
namespace {

// What the file at `path` holds; nothing when it cannot be read.
QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
// Replaces what the file at `path` holds with `bytes`; the path, as a string.
std::string write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(bytes) == bytes.size());
    return path.toStdString();
}

class DefaultsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString path = folder.filePath("Quillmere Timer.conf");
};

TEST_F(DefaultsStoreTest, HandWrittenValuesSurviveAndACorruptFileIsKeptAside) {
    const QByteArray handWritten = "[General]\nTimerInterval=900.7\nMute=garbage\n"
                                   "AlertSound=Sonar, Bowl\nVersion=\nUnknownKey=kept\n";
    write(path, handWritten);
    {
        QtDefaultsStore store(path);
        EXPECT_EQ(store.integerValue("TimerInterval"), 900);
        EXPECT_FALSE(store.boolValue("Mute"));                     // QVariant would read it as true
        EXPECT_EQ(store.stringValue("AlertSound"), "Sonar, Bowl"); // a list to QSettings
        EXPECT_EQ(store.stringValue("Version"), "");               // present, so not a first run
        // The same value again (as the version at every start) leaves the file as written.
        store.setString("UnknownKey", "kept");
        EXPECT_EQ(read(path), handWritten);
        store.setBool("Mute", true);
    }
    EXPECT_TRUE(QtDefaultsStore(path).boolValue("Mute"));
    EXPECT_EQ(QtDefaultsStore(path).stringValue("UnknownKey"), "kept");

    static const char bytes[] =
        "\x00\xff[[[General\n=novalue\nTimerInterval=1200\n\xc3\x28=\x80\n@Variant(\x01)\n";
    const QByteArray garbage(bytes, sizeof bytes - 1); // with its NUL byte, without the last
    path = folder.filePath("corrupt.conf");            // a file QSettings has not cached
    write(path, garbage);
    QtDefaultsStore store(path);
    EXPECT_NO_FATAL_FAILURE(store.integerValue("TimerInterval"));
    store.setBool("Mute", true);
    store.setBool("Mute", false);
    EXPECT_FALSE(QtDefaultsStore(path).boolValue("Mute"));
    // What QSettings could not parse is kept, byte for byte, once, beside the rewritten file.
    EXPECT_EQ(read(path + ".unreadable"), garbage);
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
    write(path, huge);
    QtDefaultsStore store(path);
    EXPECT_FALSE(store.contains("TimerInterval"));
    store.setBool("Mute", false);
    EXPECT_LT(QFileInfo(path).size(), 1024);
    EXPECT_EQ(QFileInfo(path + ".unreadable-2").size(), huge.size());
}

TEST(ResourcesTest, TheFirstFolderWithARegularFileWinsAndImagesAreDecodedOnce) {
    QTemporaryDir root;
    const QStringList folders{root.filePath("first"), root.filePath("second")};
    QImage picture(22, 18, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(QDir().mkpath(folders[0] + "/Quillmere.png")) << "a folder is no resource";
    ASSERT_TRUE(QDir().mkpath(folders[1]) && picture.save(folders[1] + "/Quillmere.png", "PNG"));
    QtResources resources(folders);
    EXPECT_EQ(resources.pathForResource("Quillmere", "png"),
              (folders[1] + "/Quillmere.png").toStdString());
    const std::shared_ptr<const Image> decoded = resources.image("Quillmere.png");
    ASSERT_NE(decoded, nullptr);
    ASSERT_TRUE(QFile::remove(folders[1] + "/Quillmere.png"));
    EXPECT_EQ(resources.image("Quillmere.png"), decoded) << "decoded once";
    EXPECT_EQ(resources.image("Missing.png"), nullptr);
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

    // The next datagram; empty when none came.
    std::string receive() const {
        std::string datagram(64 * 1024, '\0');
        const ssize_t size = ::recv(journal, datagram.data(), datagram.size(), MSG_DONTWAIT);
        datagram.resize(size < 0 ? 0 : static_cast<std::size_t>(size));
        return datagram;
    }
    // A field in the journal's native format: KEY=value, or where the value holds a newline
    // or a NUL, KEY, its 64-bit little-endian length and the bytes.
    static std::string field(const std::string& key, const std::string& value) {
        if (value.find_first_of(std::string("\n\0", 2)) == std::string::npos) {
            return key + '=' + value + '\n';
        }
        char length[8];
        qToLittleEndian<quint64>(value.size(), length);
        return key + '\n' + std::string(length, 8) + value + '\n';
    }

    QTemporaryDir folder;
    std::string path = folder.filePath("journal.socket").toStdString();
    int journal = ::socket(AF_UNIX, SOCK_DGRAM, 0);
};

TEST_F(SystemLogTest, EachLineIsOneEntryAndNeitherABusyJournalNorNoneHoldsTheCallerUp) {
    QtSystemLog log(path);
    for (const std::string& message :
         {std::string("100% %s %{public}s"), std::string("two\nlines"), std::string("a\0b=c", 5)}) {
        log.error("Quillmere Timer", "QuillmereLog", message);
        const std::string datagram = receive();
        EXPECT_NE(datagram.find(field("MESSAGE", message)), std::string::npos) << datagram;
        EXPECT_NE(datagram.find(field("SYSLOG_IDENTIFIER", "Quillmere Timer")), std::string::npos);
    }
    EXPECT_TRUE(receive().empty()) << "one datagram per line";
    QElapsedTimer clock;
    clock.start();
    for (int line = 0; line < 500; ++line) { // far beyond the socket's queue, which nobody reads
        log.error("Quillmere Timer", "QuillmereLog", std::string(1000, 'x'));
    }
    for (const std::string& socket : {folder.filePath("none").toStdString(), std::string()}) {
        QtSystemLog(socket).error("Quillmere Timer", "QuillmereLog", "to syslog");
    }
    EXPECT_LT(clock.elapsed(), 500);
}

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

    // Where others can write, another user could take the lock's name first and keep the
    // program from starting: no lock there, and no start blocked.
    QTemporaryDir shared;
    ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 0777), 0);
    EXPECT_TRUE(SingleInstance(shared.path(), "quillmere-timer").acquire() &&
                SingleInstance(shared.path(), "quillmere-timer").acquire());
    EXPECT_FALSE(QFile::exists(shared.filePath("quillmere-timer.lock")));
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

class XdgAutostartTest : public ::testing::Test {
protected:
    QString entry(const QString& folder = "home") {
        return root_.filePath(folder + "/autostart/org.quillmere.Timer.desktop");
    }
    void put(const QByteArray& text, const QString& folder = "home") {
        QDir().mkpath(root_.filePath(folder + "/autostart"));
        write(entry(folder), text);
    }
    // desktop-file-validate's verdict on the user's entry: 0 when valid.
    int validate() { return QProcess::execute("desktop-file-validate", {entry()}); }

    QTemporaryDir root_;
};

TEST_F(XdgAutostartTest, WritesAValidEntryReflectsWhatIsThereAndRemovesOnlyItsOwn) {
    XdgAutostart login("/opt/my apps/quill$mere%", root_.filePath("home"),
                       {root_.filePath("system")});
    EXPECT_FALSE(login.isEnabled());
    ASSERT_TRUE(login.setEnabled(true));
    EXPECT_TRUE(login.isEnabled());
    EXPECT_TRUE(read(entry()).contains("\nExec=\"/opt/my apps/quill\\\\$mere%%\"\n"));
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
    EXPECT_EQ(read(entry()), own);

    // A pipe at the name would block a read and swallow a write: it is neither.
    QFile::remove(entry());
    ASSERT_EQ(::mkfifo(entry().toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(login.isEnabled());
    ASSERT_TRUE(login.setEnabled(true));
    EXPECT_TRUE(login.isEnabled());
}

using testing::waitUntil;

const QString packaged = QStringLiteral(QUILLMERE_TEST_RESOURCES "/");

QByteArray le(quint32 value, int bytes) {
    char out[4];
    qToLittleEndian(value, out);
    return QByteArray(out, bytes);
}
QByteArray chunk(const char* id, const QByteArray& body) {
    const QByteArray out = id + le(body.size(), 4) + body;
    return body.size() % 2 == 1 ? out + '\0' : out; // chunks are padded to even sizes
}
QByteArray fmt(int format, int channels, int bits) {
    const int rate = 44100, align = channels * bits / 8;
    return chunk("fmt ", le(format, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) +
                             le(align, 2) + le(bits, 2));
}
QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

// No audio server, whatever the machine has: the client connects to a socket that isn't there.
class AudioTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("PULSE_SERVER", "unix:/nonexistent/quillmere/pulse"); }
    QtAudio audio;
    QTemporaryDir folder;
};

TEST_F(AudioTest, OnlyWholePcmWavFilesLoadAndNothingWaitsForAMissingServer) {
    const QByteArray sonar = read(packaged + "Sonar.wav"), samples(400, '\x11');
    ASSERT_FALSE(sonar.isEmpty());
    // An odd chunk before the format is stepped over with its padding.
    const auto stereo =
        audio.load(write(folder.filePath("Stereo.wav"),
                         riff(chunk("LIST", "INFOabc") + fmt(1, 2, 16) + chunk("data", samples))));
    ASSERT_NE(stereo, nullptr);
    const std::pair<const char*, QByteArray> refused[] = {
        {"cut in the samples", sonar.left(sonar.size() / 2)},
        {"cut in the header", sonar.left(30)},
        {"float", riff(fmt(3, 1, 32) + chunk("data", samples))},
        {"no channels", riff(fmt(1, 0, 16) + chunk("data", samples))},
        {"samples before the format", riff(chunk("data", samples) + fmt(1, 1, 16))},
        {"half a frame", riff(fmt(1, 2, 16) + chunk("data", samples.left(398)))},
        {"no samples", riff(fmt(1, 1, 16) + chunk("data", {}))},
    };
    for (const auto& [name, bytes] : refused) {
        EXPECT_EQ(audio.load(write(folder.filePath("Damaged.wav"), bytes)), nullptr) << name;
    }
    QElapsedTimer clock;
    clock.start();
    audio.prepare();
    for (int round = 0; round < 3; ++round) {
        stereo->play();
        audio.beep();
    }
    EXPECT_LT(clock.elapsed(), 1000);
}

// The real path on a private PulseAudio server with a null sink: preparing puts every sound in
// the server's sample cache; a sound played before that is cached as it plays.
TEST(AudioServerTest, SoundsGoToTheServersSampleCache) {
    const QString pactl = QStandardPaths::findExecutable("pactl");
    QTemporaryDir home;
    const QString socket = home.filePath("native");
    QProcess server;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_RUNTIME_DIR", home.path());
    server.setProcessEnvironment(environment);
    const auto startServer = [&] {
        server.start("pulseaudio",
                     {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm", "-L",
                      "module-null-sink", "-L",
                      "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        return waitUntil([&] { return QFile::exists(socket); }, std::chrono::seconds(10));
    };
    if (pactl.isEmpty() || !startServer()) {
        GTEST_SKIP() << "no PulseAudio server and pactl here";
    }
    qputenv("PULSE_SERVER", "unix:" + socket.toUtf8());
    const auto cached = [&] {
        QProcess list;
        list.start(pactl, {"list", "samples", "short"});
        list.waitForFinished(10000);
        return QString::fromUtf8(list.readAllStandardOutput())
            .count(QStringLiteral("quillmere-timer-"));
    };
    QtAudio audio;
    std::vector<std::unique_ptr<Sound>> sounds;
    for (const char* name : {"Sonar", "Bowl", "Whistle"}) {
        sounds.push_back(audio.load((packaged + name + ".wav").toStdString()));
        ASSERT_NE(sounds.back(), nullptr);
    }
    EXPECT_EQ(cached(), 0) << "loading connects to nothing";
    sounds[1]->play();
    EXPECT_EQ(cached(), 1);
    audio.prepare();
    EXPECT_EQ(cached(), 3);
    // The server restarts (an upgrade, a crash): the next alert still sounds.
    server.kill();
    server.waitForFinished(5000);
    QFile::remove(socket);
    ASSERT_TRUE(startServer());
    sounds[0]->play();
    EXPECT_EQ(cached(), 1);
    server.kill();
    server.waitForFinished(5000);
}

} // namespace
} // namespace quillmere::qt
