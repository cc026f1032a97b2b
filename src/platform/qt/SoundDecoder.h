#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace quillmere::qt {

// A sound file decoded to PCM.
struct DecodedSound {
    QByteArray pcm;
    QAudioFormat format;
};

// Decodes `path` with QAudioDecoder in this process; none when it can't be read or decoded, or
// takes longer than `timeout`. Spins a local event loop (user input waits) while it works.
std::optional<DecodedSound> decodeSound(const QString& path, std::chrono::milliseconds timeout);

// The form a decoded sound travels in from the decoder process: a one-line header, then PCM.
QByteArray serializeSound(const DecodedSound& sound);
std::optional<DecodedSound> deserializeSound(const QByteArray& bytes);

} // namespace quillmere::qt
