#include "platform/qt/QtAudio.h"

#include "platform/qt/SoundDecoder.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioSink>
#include <QFileInfo>
#include <QMediaDevices>
#include <QProcess>

#include <canberra.h>

#include <algorithm>
#include <utility>

namespace quillmere::qt {

namespace {

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

QtAudio::QtAudio(QString decoderPath)
    : decoderPath_(std::move(decoderPath)) {}

QString QtAudio::standardDecoderPath() {
    const QString name = QStringLiteral("quillmere-sound-decoder");
    const QString besideProgram = QCoreApplication::applicationDirPath() + '/' + name;
    if (QFileInfo(besideProgram).isExecutable()) {
        return besideProgram;
    }
    return QStringLiteral(QUILLMERE_LIBEXEC_DIR) + '/' + name;
}

std::unique_ptr<Sound> QtAudio::load(const std::string& path) {
    const QString file = QString::fromStdString(path);
    std::optional<DecodedSound> sound;
    if (QFileInfo(decoderPath_).isExecutable()) {
        QProcess decoder;
        decoder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        decoder.start(decoderPath_, {file}, QIODevice::ReadOnly);
        if (decoder.waitForFinished(static_cast<int>(DecodeTimeout.count())) &&
            decoder.exitStatus() == QProcess::NormalExit && decoder.exitCode() == 0) {
            sound = deserializeSound(decoder.readAllStandardOutput());
        } else {
            decoder.kill();
            decoder.waitForFinished(1000);
        }
    } else {
        // No decoder program (a copied binary): decode here, at the cost of the memory.
        sound = decodeSound(file, DecodeTimeout);
    }
    if (!sound) {
        return nullptr;
    }
    return std::make_unique<QtSound>(std::move(sound->pcm), sound->format);
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
