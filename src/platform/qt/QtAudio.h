#pragma once

#include "platform/Audio.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>
#include <string>

class QAudioSink;
class QIODevice;

namespace quillmere::qt {

// A sound decoded to PCM at load time and played from memory, so an alert needs no file access
// and no decoder. Each play opens a sink on the output that is the default at that moment and
// closes it once the sound has played out: an open stream kept between alerts would hold a stream
// on the audio server (keeping the device from suspending) and stay on an unplugged device.
class QtSound : public Sound {
public:
    QtSound(QByteArray pcm, QAudioFormat format);
    ~QtSound() override;

    // Starts from the beginning; playing again while it plays restarts it.
    void play() override;

    const QByteArray& pcm() const { return pcm_; }
    const QAudioFormat& format() const { return format_; }
    // Whether a sink is open for it (it is playing or about to).
    bool isPlaying() const { return sink_ != nullptr; }

private:
    qint64 lengthMs() const;
    void feed();
    void close();

    QByteArray pcm_;
    QAudioFormat format_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* output_ = nullptr; // owned by sink_
    qsizetype written_ = 0;
    QElapsedTimer started_;
    QTimer feeder_; // tops the sink up where it took less than the whole sound at once
    QTimer closer_; // closes the sink once the sound has played out
};

// Decodes each sound in a short-lived decoder process (the decoding libraries cost the timer
// about 50 MB of memory for as long as it runs, for three sounds of half a megabyte), plays
// through QAudioSink on the default output, beeps through the desktop's sound theme.
class QtAudio : public Audio {
public:
    // How long one file may take to decode before it counts as unreadable.
    static constexpr std::chrono::milliseconds DecodeTimeout{5000};

    // Decodes with the program at `decoderPath`; in this process when there is none.
    explicit QtAudio(QString decoderPath = standardDecoderPath());

    // The decoder installed with the program: beside it in the build tree, else in its
    // libexec folder.
    static QString standardDecoderPath();

    std::unique_ptr<Sound> load(const std::string& path) override;
    void beep() override;

private:
    QString decoderPath_;
};

} // namespace quillmere::qt
