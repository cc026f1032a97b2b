// The alert sounds: which files load, that nothing waits without a sound server, and the real
// path through a sound server's sample cache.
#include "platform/qt/QtAudio.h"

#include "PrivateBus.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace quillmere::qt {
namespace {

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
    std::string write(const QString& fileName, const QByteArray& bytes) {
        QFile file(folder.filePath(fileName));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName().toStdString();
    }
    QtAudio audio;
    QTemporaryDir folder;
};

TEST_F(AudioTest, OnlyWholePcmWavFilesLoadAndNothingWaitsForAMissingServer) {
    QFile sonarFile(packaged + "Sonar.wav");
    ASSERT_TRUE(sonarFile.open(QIODevice::ReadOnly));
    const QByteArray sonar = sonarFile.readAll(), samples(400, '\x11');
    // An odd chunk before the format is stepped over with its padding.
    const auto stereo = audio.load(write(
        "Stereo.wav", riff(chunk("LIST", "INFOabc") + fmt(1, 2, 16) + chunk("data", samples))));
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
        EXPECT_EQ(audio.load(write("Damaged.wav", bytes)), nullptr) << name;
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
    server.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm",
                                "-L", "module-null-sink", "-L",
                                "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    if (pactl.isEmpty() ||
        !waitUntil([&] { return QFile::exists(socket); }, std::chrono::seconds(10))) {
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
    server.kill();
    server.waitForFinished(5000);
}

} // namespace
} // namespace quillmere::qt
