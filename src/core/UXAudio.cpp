#include "core/UXAudio.h"

#include "core/Err.h"
#include "core/Log.h"
#include "platform/Audio.h"
#include "platform/Resources.h"

namespace quillmere {

UXAudio::UXAudio(Cfg& cfg, Audio& audio, const Resources& resources)
    : cfg_(cfg)
    , audio_(audio) {
    for (Cfg::Sound sound : Cfg::allSounds) {
        if (sound == Cfg::Sound::System) {
            continue;
        }
        if (std::unique_ptr<Sound> loaded = loadSound(sound, audio, resources)) {
            loadedSounds_.emplace(sound, std::move(loaded));
        }
    }
}

UXAudio::~UXAudio() = default;

std::unique_ptr<Sound> UXAudio::loadSound(Cfg::Sound sound, Audio& audio,
                                          const Resources& resources) {
    try {
        const std::string name{Cfg::rawValue(sound)};
        const std::optional<std::string> path = resources.pathForResource(name, SoundExtension);
        if (!path) {
            throw Err("Invalid URL to audio file");
        }
        std::unique_ptr<Sound> loaded = audio.load(*path);
        if (!loaded) {
            throw Err("Could not find sound file for " + name);
        }
        return loaded;
    } catch (const Err& err) {
        Log::error("Failed to initialize custom audio: " + err.description());
        return nullptr;
    }
}

void UXAudio::playNotification() {
    if (cfg_.isMuted()) {
        return;
    }
    play(cfg_.sound());
}

void UXAudio::play(Cfg::Sound sound) {
    const auto found = loadedSounds_.find(sound);
    if (found != loadedSounds_.end()) {
        found->second->play();
    } else {
        audio_.beep();
    }
}

} // namespace quillmere
