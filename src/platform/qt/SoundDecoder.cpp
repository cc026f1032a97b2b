#include "platform/qt/SoundDecoder.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

namespace quillmere::qt {

namespace {

// The format every sound is decoded to: Qt 6.4's GStreamer backend decodes AAC only when it is
// given one. The packaged sounds are mono at 44.1 kHz, so this keeps them as they are, in half
// the memory of stereo; every audio server plays it.
QAudioFormat decodeFormat() {
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setSampleRate(44100);
    format.setChannelCount(1);
    return format;
}

constexpr char HeaderMagic[] = "QUILLMERE-PCM";
// Far more than any alert: a sound that decodes to more is not taken.
constexpr qsizetype LargestSound = 64 * 1024 * 1024;

} // namespace

std::optional<DecodedSound> decodeSound(const QString& path, std::chrono::milliseconds timeout) {
    const QFileInfo file(path);
    if (!file.isFile() || file.size() == 0) {
        return std::nullopt;
    }
    QAudioDecoder decoder;
    if (!decoder.isSupported()) {
        return std::nullopt;
    }
    decoder.setAudioFormat(decodeFormat());
    decoder.setSource(QUrl::fromLocalFile(file.absoluteFilePath()));

    DecodedSound sound;
    bool done = false;
    bool failed = false;
    QEventLoop loop;
    const auto finish = [&](bool success) {
        done = true;
        failed = failed || !success;
        loop.quit();
    };
    const auto drain = [&] {
        while (decoder.bufferAvailable()) {
            const QAudioBuffer buffer = decoder.read();
            if (!buffer.isValid()) {
                break;
            }
            if (!sound.format.isValid()) {
                sound.format = buffer.format();
            } else if (buffer.format() != sound.format) {
                finish(false); // one sink can't play a format that changes midway
                return;
            }
            if (sound.pcm.size() + buffer.byteCount() > LargestSound) {
                finish(false);
                return;
            }
            sound.pcm.append(buffer.constData<char>(), buffer.byteCount());
        }
    };
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, drain);
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, [&] {
        drain();
        finish(true);
    });
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop,
                     [&] { finish(false); });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] { finish(false); });

    // The decoder reports through the event loop; the backend may also fail inside start(),
    // before that loop runs.
    decoder.start();
    deadline.start(timeout);
    if (!done) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    decoder.stop();

    if (failed || !sound.format.isValid() || sound.format.bytesPerFrame() <= 0) {
        return std::nullopt;
    }
    sound.pcm.truncate(sound.pcm.size() - sound.pcm.size() % sound.format.bytesPerFrame());
    if (sound.pcm.isEmpty()) {
        return std::nullopt;
    }
    return sound;
}

QByteArray serializeSound(const DecodedSound& sound) {
    QByteArray bytes = QByteArray(HeaderMagic) + ' ' +
                       QByteArray::number(sound.format.sampleRate()) + ' ' +
                       QByteArray::number(sound.format.channelCount()) + ' ' +
                       QByteArray::number(static_cast<int>(sound.format.sampleFormat())) + ' ' +
                       QByteArray::number(sound.pcm.size()) + '\n';
    return bytes + sound.pcm;
}

std::optional<DecodedSound> deserializeSound(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\n');
    if (end < 0 || end > 128) {
        return std::nullopt;
    }
    const QList<QByteArray> fields = bytes.left(end).split(' ');
    if (fields.size() != 5 || fields[0] != HeaderMagic) {
        return std::nullopt;
    }
    bool rateOk = false, channelsOk = false, formatOk = false, sizeOk = false;
    const int rate = fields[1].toInt(&rateOk);
    const int channels = fields[2].toInt(&channelsOk);
    const int sampleFormat = fields[3].toInt(&formatOk);
    const qsizetype size = fields[4].toLongLong(&sizeOk);
    if (!rateOk || !channelsOk || !formatOk || !sizeOk || rate <= 0 || channels <= 0 ||
        sampleFormat <= QAudioFormat::Unknown || sampleFormat >= QAudioFormat::NSampleFormats ||
        size <= 0 || size > LargestSound || bytes.size() - end - 1 != size) {
        return std::nullopt;
    }
    DecodedSound sound;
    sound.format.setSampleRate(rate);
    sound.format.setChannelCount(channels);
    sound.format.setSampleFormat(static_cast<QAudioFormat::SampleFormat>(sampleFormat));
    if (size % sound.format.bytesPerFrame() != 0) {
        return std::nullopt;
    }
    sound.pcm = bytes.mid(end + 1);
    return sound;
}

} // namespace quillmere::qt
