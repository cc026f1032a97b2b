#include "platform/qt/QtAudio.h"

#include "core/BuildInfo.h"
#include "core/Cfg.h"
#include "core/Events.h"
#include "core/Log.h"
#include "core/UXAudio.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/WavFile.h"
#include "platform/sim/SimServices.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace quillmere::qt {
namespace {

using namespace std::chrono_literals;

const QString packaged = QStringLiteral(QUILLMERE_TEST_RESOURCES);
const char* const soundNames[] = {"Sonar", "Bowl", "Whistle"};

QByteArray le(quint32 value, int bytes) {
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i) {
        out[i] = static_cast<char>(value >> (8 * i));
    }
    return out;
}

QByteArray chunk(const char* id, const QByteArray& body, quint32 claimedSize = 0) {
    QByteArray out = QByteArray(id, 4) + le(claimedSize ? claimedSize : body.size(), 4) + body;
    return body.size() % 2 == 1 ? out + '\0' : out;
}

QByteArray fmt(int format, int channels, int rate, int bits) {
    const int align = channels * bits / 8;
    return chunk("fmt ", le(format, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) +
                             le(align, 2) + le(bits, 2));
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

QByteArray readPackaged(const char* name) {
    QFile file(packaged + '/' + name + ".wav");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// No audio server, whatever the machine has: the sound server client connects to a socket that
// doesn't exist.
class AudioTest : public testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("PULSE_SERVER", "unix:/nonexistent/quillmere/pulse"); }

    QString write(const QString& fileName, const QByteArray& bytes) {
        QFile file(folder.filePath(fileName));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QtAudio audio;
    QTemporaryDir folder;
};

TEST_F(AudioTest, PackagedSoundsAreWholeAudiblePcmOfAnAlertsLength) {
    for (const char* name : soundNames) {
        SCOPED_TRACE(name);
        const QByteArray bytes = readPackaged(name);
        const auto wav = readWavFormat(packaged + '/' + name + ".wav");
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(wav->bitsPerSample, 16);
        EXPECT_EQ(wav->channels, 1);
        EXPECT_EQ(wav->sampleRate, 44100);
        const auto length = std::chrono::duration<double>(wav->dataSize / 2.0 / wav->sampleRate);
        EXPECT_GE(length, 500ms);
        EXPECT_LE(length, 10s);
        int peak = 0;
        for (qint64 at = wav->dataOffset; at + 1 < wav->dataOffset + wav->dataSize; at += 2) {
            peak = std::max(peak, std::abs(int{qFromLittleEndian<qint16>(bytes.constData() + at)}));
        }
        EXPECT_GT(peak, 0.1 * 32768) << "not silence";
        EXPECT_LT(peak, 32767) << "not clipped";
        EXPECT_NE(audio.load((packaged + '/' + name + ".wav").toStdString()), nullptr);
    }
}

TEST_F(AudioTest, OnlyWholePcmWavFilesLoad) {
    const QByteArray sonar = readPackaged("Sonar");
    ASSERT_FALSE(sonar.isEmpty());
    const QByteArray samples(400, '\x11');
    // Chunks are padded to even sizes: an odd one before the samples must be stepped over.
    const auto stereo =
        readWavFormat(write("Stereo.wav", riff(chunk("LIST", "INFOabc") + fmt(1, 2, 48000, 16) +
                                               chunk("data", samples))));
    ASSERT_TRUE(stereo.has_value());
    EXPECT_EQ(stereo->dataOffset, 12 + 16 + 24 + 8);
    EXPECT_EQ(stereo->dataSize, samples.size());

    const struct {
        const char* name;
        QByteArray bytes;
    } refused[] = {
        {"cut in the samples", sonar.left(sonar.size() / 2)},
        {"cut in the header", sonar.left(30)},
        {"empty", {}},
        {"text", "Version=1.0\n"},
        {"random", QByteArray(4096, '\x5a')},
        {"8-bit", riff(fmt(1, 1, 44100, 8) + chunk("data", samples))},
        {"24-bit", riff(fmt(1, 1, 44100, 24) + chunk("data", samples.left(399)))},
        {"float", riff(fmt(3, 1, 44100, 32) + chunk("data", samples))},
        {"no channels", riff(fmt(1, 0, 44100, 16) + chunk("data", samples))},
        {"samples before the format", riff(chunk("data", samples) + fmt(1, 1, 44100, 16))},
        {"half a frame", riff(fmt(1, 2, 44100, 16) + chunk("data", samples.left(398)))},
        {"no samples", riff(fmt(1, 1, 44100, 16) + chunk("data", {}))},
        {"claims 4 GB", riff(fmt(1, 1, 44100, 16) + chunk("data", samples, 0xffffffff))},
        {"odd chunk claims past the end", riff(chunk("LIST", "abc", 0xfffffff9))},
    };
    for (const auto& file : refused) {
        const QString path = write("Damaged.wav", file.bytes);
        EXPECT_FALSE(readWavFormat(path).has_value()) << file.name;
        EXPECT_EQ(audio.load(path.toStdString()), nullptr) << file.name;
    }
    ASSERT_TRUE(QDir(folder.path()).mkdir("Folder.wav"));
    for (const char* name : {"Folder.wav", "None.wav"}) {
        EXPECT_EQ(audio.load(folder.filePath(name).toStdString()), nullptr) << name;
    }
}

// The real unit on the real adapters: a damaged file shadowing the packaged Bowl.wav is
// reported once, by name; the other sounds still load, and Bowl plays as the beep.
TEST_F(AudioTest, UXAudioLogsTheSoundThatCannotBeReadAndLoadsTheOthers) {
    QtResources resources({folder.path(), packaged});
    sim::SimDefaultsStore store;
    Events events;
    const BuildInfo buildInfo("b", "d", "1.0.0");
    Cfg cfg(false, events, buildInfo, store);
    Log::setLogger(nullptr);
    const QByteArray bowl = readPackaged("Bowl");
    for (const QByteArray& damaged : {bowl.left(bowl.size() - 1000), QByteArray(8192, '\x01')}) {
        SCOPED_TRACE(damaged.size());
        write("Bowl.wav", damaged);
        testing::internal::CaptureStdout();
        UXAudio uxAudio(cfg, audio, resources);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "Failed to initialize custom audio: Could not find sound file for Bowl\n");
        EXPECT_TRUE(uxAudio.isLoaded(Cfg::Sound::Sonar));
        EXPECT_FALSE(uxAudio.isLoaded(Cfg::Sound::Bowl));
        EXPECT_TRUE(uxAudio.isLoaded(Cfg::Sound::Whistle));
        uxAudio.play(Cfg::Sound::Bowl);
    }
}

TEST_F(AudioTest, WithoutAnAudioServerPreparingPlayingAndTheBellReturnAtOnce) {
    const auto sound = audio.load((packaged + "/Whistle.wav").toStdString());
    ASSERT_NE(sound, nullptr);
    QElapsedTimer clock;
    clock.start();
    audio.prepare();
    for (int round = 0; round < 3; ++round) {
        sound->play();
        audio.beep();
    }
    EXPECT_LT(clock.elapsed(), 1000);
}

// The sounds are cached after the status item exists, from the event loop, never before.
TEST_F(AudioTest, ThePlatformPreparesTheSoundsOnlyOnceTheItemIsOut) {
    QtPlatform platform;
    auto& qtAudio = dynamic_cast<QtAudio&>(platform.audio());
    QCoreApplication::processEvents();
    EXPECT_FALSE(qtAudio.isPrepared()) << "before any item";
    const auto item = platform.createStatusItem(50);
    EXPECT_FALSE(qtAudio.isPrepared()) << "while the item is being made";
    // The loop must go idle for them to start, as it does in the program.
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (platform.deferredServicesStarted()) {
            loop.quit();
        }
    });
    check.start(10);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(qtAudio.isPrepared());
}

} // namespace
} // namespace quillmere::qt

namespace quillmere::qt {
namespace {

// The real path on a private PulseAudio server with a null sink: preparing puts every sound in
// the server's sample cache; a sound played before that is cached as it plays.
TEST(AudioServerTest, SoundsGoToTheServersSampleCache) {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
    if (daemon.isEmpty() || pactl.isEmpty()) {
        GTEST_SKIP() << "pulseaudio and pactl are not installed";
    }
    QTemporaryDir home;
    const QString socket = home.filePath(QStringLiteral("native"));
    QProcess server;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    server.setProcessEnvironment(environment);
    server.start(daemon, {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm", "-L",
                          "module-null-sink", "-L",
                          "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    const QDeadlineTimer started(10000);
    while (!QFile::exists(socket) && !started.hasExpired() &&
           server.state() != QProcess::NotRunning) {
        QThread::msleep(20); // waiting for the server's socket, not for time to pass
    }
    if (!QFile::exists(socket)) {
        GTEST_SKIP() << "the PulseAudio server did not start here";
    }
    const QByteArray address = "unix:" + socket.toUtf8();
    qputenv("PULSE_SERVER", address);
    const auto cached = [&] {
        QProcess list;
        list.start(pactl, {"--server=" + QString::fromUtf8(address), "list", "samples", "short"});
        list.waitForFinished(10000);
        QStringList names;
        for (const QByteArray& line : list.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() > 1 && fields[1].startsWith("quillmere-timer-")) {
                names << QString::fromUtf8(fields[1]).section('-', 2, 2);
            }
        }
        names.sort();
        return names;
    };

    QtAudio audio;
    std::vector<std::unique_ptr<Sound>> sounds;
    for (const char* name : soundNames) {
        sounds.push_back(audio.load((packaged + '/' + name + ".wav").toStdString()));
        ASSERT_NE(sounds.back(), nullptr);
    }
    EXPECT_EQ(cached(), QStringList()) << "loading connects to nothing";
    sounds[1]->play();
    EXPECT_EQ(cached(), QStringList{"Bowl"});
    audio.prepare();
    EXPECT_EQ(cached(), (QStringList{"Bowl", "Sonar", "Whistle"}));
    server.kill();
    server.waitForFinished(5000);
}

} // namespace
} // namespace quillmere::qt
