#include "platform/qt/QtAudio.h"

#include <QApplication>
#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioDevice>
#include <QAudioSink>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>

#include <canberra.h>

#include <algorithm>
#include <utility>

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

// The sink reports idle once its stream has run dry, while the device may still hold the end of
// the sound (and may have started late): closing at once cut the last ~100 ms on PulseAudio. So
// the sink stays open this much longer, and never closes before the sound's own length passed.
constexpr qint64 closeMarginMs = 250;
// A sink that never reports idle is closed anyway this long after the sound's length.
constexpr qint64 closeAnywayMs = 3000;
// How often the sink is topped up where it didn't take the whole sound in one write.
constexpr int feedIntervalMs = 20;

// The sound theme's player, made on the first beep and kept for the life of the process:
// destroying it unloads canberra's output backend, and the ALSA backend's player thread, still
// running a bell, then crashed in about half of the exits that came right after a beep.
ca_context* themeContext() {
    static ca_context* const context = [] {
        ca_context* created = nullptr;
        return ca_context_create(&created) == CA_SUCCESS ? created : nullptr;
    }();
    return context;
}

} // namespace

QtSound::QtSound(QByteArray pcm, QAudioFormat format)
    : pcm_(std::move(pcm))
    , format_(format) {
    feeder_.setInterval(feedIntervalMs);
    QObject::connect(&feeder_, &QTimer::timeout, &feeder_, [this] { feed(); });
    closer_.setSingleShot(true);
    QObject::connect(&closer_, &QTimer::timeout, &closer_, [this] { close(); });
}

QtSound::~QtSound() {
    close();
}

void QtSound::play() {
    close();
    // No output device is a normal case (no audio server, a headless session): stay silent.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return;
    }
    sink_ = std::make_unique<QAudioSink>(device, format_);
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, &closer_, [this](QAudio::State state) {
        if (state == QAudio::IdleState && written_ == pcm_.size()) {
            closer_.start(std::chrono::milliseconds(
                std::max(closeMarginMs, lengthMs() + closeMarginMs - started_.elapsed())));
        } else if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
            closer_.start(0); // not from inside the sink's own signal
        }
    });
    // Pushed rather than pulled in periods, the sound starts about 20 ms sooner (measured on
    // PulseAudio); a backend that takes less than the whole sound at once is topped up.
    started_.start();
    output_ = sink_->start();
    if (output_ == nullptr || sink_->error() != QAudio::NoError) {
        close();
        return;
    }
    written_ = 0;
    feed();
    if (!sink_) {
        return;
    }
    if (written_ < pcm_.size()) {
        feeder_.start();
    }
    closer_.start(std::chrono::milliseconds(lengthMs() + closeAnywayMs));
}

qint64 QtSound::lengthMs() const {
    return format_.durationForBytes(pcm_.size()) / 1000;
}

void QtSound::feed() {
    const qint64 accepted = output_->write(pcm_.constData() + written_, pcm_.size() - written_);
    if (accepted < 0) {
        close(); // the stream broke; the sound is simply cut
        return;
    }
    written_ += accepted;
    if (written_ == pcm_.size()) {
        feeder_.stop();
    }
}

void QtSound::close() {
    feeder_.stop();
    closer_.stop();
    if (sink_) {
        sink_->disconnect(&closer_);
        sink_->stop();
        sink_.reset();
    }
    output_ = nullptr;
    written_ = 0;
}

std::unique_ptr<Sound> QtAudio::load(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (!file.isFile() || file.size() == 0) {
        return nullptr;
    }
    QAudioDecoder decoder;
    if (!decoder.isSupported()) {
        return nullptr;
    }
    decoder.setAudioFormat(decodeFormat());
    decoder.setSource(QUrl::fromLocalFile(file.absoluteFilePath()));

    QByteArray pcm;
    QAudioFormat format;
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
            if (!format.isValid()) {
                format = buffer.format();
            } else if (buffer.format() != format) {
                finish(false); // one sink can't play a format that changes midway
                return;
            }
            pcm.append(buffer.constData<char>(), buffer.byteCount());
        }
    };
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, drain);
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, [&] {
        drain();
        finish(true);
    });
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop,
                     [&] { finish(false); });
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, [&] { finish(false); });

    // The decoder reports through the event loop, so loading spins one of its own (user input
    // waits); the backend may also fail inside start(), before that loop runs.
    decoder.start();
    timeout.start(DecodeTimeout);
    if (!done) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    decoder.stop();

    if (failed || !format.isValid() || format.bytesPerFrame() <= 0) {
        return nullptr;
    }
    pcm.truncate(pcm.size() - pcm.size() % format.bytesPerFrame());
    if (pcm.isEmpty()) {
        return nullptr;
    }
    return std::make_unique<QtSound>(std::move(pcm), format);
}

void QtAudio::beep() {
    ca_context* context = themeContext();
    // Fails at once without an audio server or a sound theme; the toolkit's beep is the fallback.
    if (context == nullptr ||
        ca_context_play(context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_CANBERRA_CACHE_CONTROL,
                        "permanent", nullptr) != CA_SUCCESS) {
        QApplication::beep();
    }
}

} // namespace quillmere::qt
