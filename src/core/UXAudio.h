#pragma once

#include "core/Cfg.h"

#include <map>
#include <memory>

namespace quillmere {

class Audio;
class Resources;
class Sound;

// Plays the alert: a packaged sound loaded once at start-up, or the platform beep.
class UXAudio {
public:
    static constexpr const char* SoundExtension = "wav";

    // Loads every packaged sound; one that fails is logged and left out.
    UXAudio(Cfg& cfg, Audio& audio, const Resources& resources);
    ~UXAudio();
    UXAudio(const UXAudio&) = delete;
    UXAudio& operator=(const UXAudio&) = delete;

    // The end-of-interval alert: nothing when muted, else the chosen sound.
    void playNotification();
    // Plays `sound` at once, whatever the mute setting; the beep when it is not loaded.
    void play(Cfg::Sound sound);
    // Whether `sound` loaded at start-up.
    bool isLoaded(Cfg::Sound sound) const { return loadedSounds_.count(sound) != 0; }

private:
    static std::unique_ptr<Sound> loadSound(Cfg::Sound sound, Audio& audio,
                                            const Resources& resources);

    Cfg& cfg_;
    Audio& audio_;
    std::map<Cfg::Sound, std::unique_ptr<Sound>> loadedSounds_;
};

} // namespace quillmere
