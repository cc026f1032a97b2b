#include "platform/qt/QtAudio.h"

#include "core/BuildInfo.h"
#include "core/Cfg.h"
#include "core/Events.h"
#include "core/Log.h"
#include "core/UXAudio.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/SoundDecoder.h"
#include "platform/sim/SimServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>

namespace quillmere::qt {
namespace {

using namespace std::chrono_literals;

const QString packaged = QStringLiteral(QUILLMERE_TEST_RESOURCES);

QByteArray randomBytes(int size) {
    std::mt19937 generator(20240611);
    QByteArray bytes(size, '\0');
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(generator()); });
    return bytes;
}

// Largest absolute 16-bit sample, as a fraction of full scale.
double peak(const QByteArray& pcm) {
    int largest = 0;
    for (qsizetype at = 0; at + 1 < pcm.size(); at += 2) {
        qint16 sample = 0;
        std::memcpy(&sample, pcm.constData() + at, sizeof sample);
        largest = std::max(largest, std::abs(int{sample}));
    }
    return largest / 32768.0;
}

// No audio server, whatever the machine has: the audio stack connects once per process, here to
// a socket that doesn't exist.
class AudioTest : public testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("PULSE_SERVER", "unix:/nonexistent/quillmere/pulse"); }

    void SetUp() override {
        for (const char* name : {"Sonar", "Bowl", "Whistle"}) {
            if (!QFile::exists(packaged + '/' + name + ".m4a")) {
                GTEST_SKIP() << name << ".m4a is not packaged yet";
            }
        }
    }
    void write(const QString& fileName, const QByteArray& bytes) {
        QFile file(folder.filePath(fileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QtAudio audio;
    QTemporaryDir folder;
};

TEST_F(AudioTest, PackagedSoundsDecodeToAudiblePcmOfAnAlertsLength) {
    for (const char* name : {"Sonar", "Bowl", "Whistle"}) {
        SCOPED_TRACE(name);
        const std::unique_ptr<Sound> loaded =
            audio.load((packaged + '/' + name + ".m4a").toStdString());
        ASSERT_NE(loaded, nullptr);
        const auto& sound = dynamic_cast<const QtSound&>(*loaded);
        ASSERT_EQ(sound.format().sampleFormat(), QAudioFormat::Int16);
        EXPECT_EQ(sound.format().sampleRate(), 44100);
        EXPECT_EQ(sound.pcm().size() % sound.format().bytesPerFrame(), 0) << "whole frames";
        const auto length =
            std::chrono::microseconds(sound.format().durationForBytes(sound.pcm().size()));
        EXPECT_GE(length, 500ms);
        EXPECT_LE(length, 10s);
        EXPECT_GT(peak(sound.pcm()), 0.1) << "not silence";
    }
}

TEST_F(AudioTest, WhatDoesNotDecodeFailsWithoutWaitingForTheTimeout) {
    write("Random.m4a", randomBytes(16 * 1024));
    write("Empty.m4a", {});
    write("Text.m4a", "Version=1.0\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir("Folder.m4a"));
    for (const char* fileName : {"Random.m4a", "Empty.m4a", "Text.m4a", "Folder.m4a", "None.m4a"}) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(audio.load(folder.filePath(fileName).toStdString()), nullptr) << fileName;
        EXPECT_LT(clock.elapsed(), QtAudio::DecodeTimeout.count() / 2) << fileName;
    }
}

TEST_F(AudioTest, PlayAndBeepWithoutAnAudioServerReturnAtOnce) {
    const std::unique_ptr<Sound> sound = audio.load((packaged + "/Whistle.m4a").toStdString());
    ASSERT_NE(sound, nullptr);
    qint64 slowest = 0;
    for (int round = 0; round < 3; ++round) {
        for (const auto call :
             {+[](Sound&s, QtAudio&) { s.play(); }, +[](Sound&, QtAudio&a) { a.beep(); }}) {
            QElapsedTimer clock;
            clock.start();
            call(*sound, audio);
            slowest = std::max(slowest, clock.elapsed());
        }
    }
    EXPECT_LT(slowest, 100);
    EXPECT_FALSE(dynamic_cast<QtSound&>(*sound).isPlaying()) << "no sink is left open";
}

// The real unit on the real adapters: the damaged file shadowing the packaged Bowl.m4a is
// reported once, by name, and the other sounds still load.
TEST_F(AudioTest, UXAudioLogsTheSoundThatDoesNotDecodeAndLoadsTheOthers) {
    QtResources resources({folder.path(), packaged});
    sim::SimDefaultsStore store;
    Events events;
    const BuildInfo buildInfo("b", "d", "1.0.0");
    Cfg cfg(false, events, buildInfo, store);
    Log::setLogger(nullptr);
    for (const QByteArray& damaged : {randomBytes(8 * 1024), QByteArray()}) {
        SCOPED_TRACE(damaged.size());
        write("Bowl.m4a", damaged);
        testing::internal::CaptureStdout();
        const UXAudio uxAudio(cfg, audio, resources);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "Failed to initialize custom audio: Could not find sound file for Bowl\n");
        EXPECT_TRUE(uxAudio.isLoaded(Cfg::Sound::Sonar));
        EXPECT_FALSE(uxAudio.isLoaded(Cfg::Sound::Bowl));
        EXPECT_TRUE(uxAudio.isLoaded(Cfg::Sound::Whistle));
    }
}

} // namespace
} // namespace quillmere::qt

namespace quillmere::qt {
namespace {

TEST(SoundDecoderProcessTest, DecodesLikeThisProcessAndRefusesWhatItCannotRead) {
    const QString sonar = QStringLiteral(QUILLMERE_TEST_RESOURCES) + "/Sonar.m4a";
    if (!QFile::exists(sonar)) {
        GTEST_SKIP() << "Sonar.m4a is not packaged";
    }
    QtAudio throughProcess(QStringLiteral(QUILLMERE_TEST_DECODER));
    QtAudio inProcess(QStringLiteral("/nonexistent/decoder"));
    const auto a = throughProcess.load(sonar.toStdString());
    const auto b = inProcess.load(sonar.toStdString());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(dynamic_cast<const QtSound&>(*a).pcm(), dynamic_cast<const QtSound&>(*b).pcm());
    EXPECT_EQ(dynamic_cast<const QtSound&>(*a).format(), dynamic_cast<const QtSound&>(*b).format());

    QTemporaryDir folder;
    QFile corrupt(folder.filePath("Bowl.m4a"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(QByteArray(4096, '\x5a'));
    corrupt.close();
    EXPECT_EQ(throughProcess.load(corrupt.fileName().toStdString()), nullptr);
}

TEST(SoundDecoderProcessTest, MalformedDecoderOutputIsALoadFailure) {
    DecodedSound sound;
    sound.format.setSampleRate(44100);
    sound.format.setChannelCount(1);
    sound.format.setSampleFormat(QAudioFormat::Int16);
    sound.pcm = QByteArray(882, '\x01');
    const QByteArray good = serializeSound(sound);
    ASSERT_TRUE(deserializeSound(good).has_value());
    EXPECT_EQ(deserializeSound(good)->pcm, sound.pcm);
    for (const QByteArray& bad :
         {QByteArray(), good.left(good.size() - 1), good + "x", QByteArray("garbage\n") + sound.pcm,
          QByteArray("QUILLMERE-PCM 44100 1 2 881\n") + sound.pcm.left(881),
          QByteArray("QUILLMERE-PCM -5 1 2 882\n") + sound.pcm,
          QByteArray("QUILLMERE-PCM 44100 1 99 882\n") + sound.pcm}) {
        EXPECT_FALSE(deserializeSound(bad).has_value()) << bad.left(40).toStdString();
    }
}

} // namespace
} // namespace quillmere::qt
