#include "platform/qt/QtAudio.h"

#include "platform/qt/WavFile.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

#include <canberra.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace quillmere::qt {

namespace {

// The bell plays under this id, each sound under one of its own: playing again cancels the
// same id first, so a sound restarts rather than doubling.
constexpr std::uint32_t BellId = 0;

// The sound server's player, made on first use. Never destroyed: destroying one unloads
// canberra's output backend, and the ALSA backend's player thread, still running a bell, then
// crashed in about half of the exits that came right after a beep.
ca_context* newSoundContext() {
    ca_context* created = nullptr;
    if (ca_context_create(&created) != CA_SUCCESS) {
        return nullptr;
    }
    ca_context_change_props(created, CA_PROP_APPLICATION_NAME,
                            qUtf8Printable(QCoreApplication::applicationName()),
                            CA_PROP_APPLICATION_ID, "org.quillmere.Timer", nullptr);
    return created;
}

// Runs `use` on the player. A player whose server went away (restarted by an upgrade, say) is
// never connected again: it answers "invalid state" from then on, and a new one takes its place,
// or every alert after a restart of the server would be silent.
int withSoundContext(const std::function<int(ca_context*)>& use) {
    static ca_context* context = nullptr;
    if (context == nullptr) {
        context = newSoundContext();
    }
    int result = context != nullptr ? use(context) : CA_ERROR_NOTAVAILABLE;
    if (result == CA_ERROR_STATE) {
        if (ca_context* fresh = newSoundContext()) {
            // Kept, not destroyed (see above): a thread idles on for each server lost.
            static auto* const retired = new std::vector<ca_context*>;
            retired->push_back(context);
            context = fresh;
            result = use(context);
        }
    }
    return result;
}

// The sample's name in the server's cache names the file's contents too, so a sound file that
// changed is never played from a copy an earlier run left in the cache.
QByteArray sampleName(const QFileInfo& file) {
    const QByteArray identity = file.absoluteFilePath().toUtf8() + '\n' +
                                QByteArray::number(file.size()) + '\n' +
                                QByteArray::number(file.lastModified().toMSecsSinceEpoch());
    return "quillmere-timer-" + file.completeBaseName().toUtf8() + '-' +
           QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(12);
}

} // namespace

class QtAudio::CachedSound : public Sound {
public:
    CachedSound(QtAudio& audio, const QFileInfo& file, std::uint32_t id)
        : audio_(audio)
        , path_(file.absoluteFilePath().toUtf8())
        , name_(sampleName(file))
        , id_(id) {}

    ~CachedSound() override { std::erase(audio_.sounds_, this); }

    void play() override {
        withSoundContext([this](ca_context* context) {
            ca_context_cancel(context, id_);
            // From the cache when it is there; else canberra reads the file now and caches it.
            return ca_context_play(context, id_, CA_PROP_EVENT_ID, name_.constData(),
                                   CA_PROP_MEDIA_FILENAME, path_.constData(),
                                   CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
        });
    }

    void cache() const {
        withSoundContext([this](ca_context* context) {
            return ca_context_cache(context, CA_PROP_EVENT_ID, name_.constData(),
                                    CA_PROP_MEDIA_FILENAME, path_.constData(), nullptr);
        });
    }

private:
    QtAudio& audio_;
    QByteArray path_;
    QByteArray name_;
    std::uint32_t id_;
};

QtAudio::QtAudio() = default;

QtAudio::~QtAudio() = default;

std::unique_ptr<Sound> QtAudio::load(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (!readWavFormat(file.filePath())) {
        return nullptr;
    }
    static std::uint32_t nextId = BellId;
    auto sound = std::make_unique<CachedSound>(*this, file, ++nextId);
    sounds_.push_back(sound.get());
    if (prepared_) {
        sound->cache();
    }
    return sound;
}

void QtAudio::prepare() {
    if (prepared_) {
        return;
    }
    prepared_ = true;
    // The first one connects to the server, which is why this waits until the item shows.
    for (CachedSound* sound : sounds_) {
        sound->cache();
    }
}

void QtAudio::beep() {
    // Fails at once without an audio server or a sound theme; the toolkit's beep is the fallback.
    if (withSoundContext([](ca_context* context) {
            return ca_context_play(context, BellId, CA_PROP_EVENT_ID, "bell",
                                   CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
        }) != CA_SUCCESS) {
        QApplication::beep();
    }
}

} // namespace quillmere::qt
