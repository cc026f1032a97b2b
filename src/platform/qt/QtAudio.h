#pragma once

#include "platform/Audio.h"

#include <memory>
#include <string>
#include <vector>

namespace quillmere::qt {

// The alert sounds and the bell through the desktop's sound server (libcanberra). A sound is a
// 16-bit PCM WAV file: loading checks its header and nothing more, so start-up reads no samples
// and needs no decoder. prepare(), run once the status item shows, puts every sound in the
// server's sample cache, from where an alert plays without our process reading a file or
// holding the samples. A sound played before that is read and cached at that moment.
class QtAudio : public Audio {
public:
    QtAudio();
    ~QtAudio() override;

    // A sound whose header is sound; null when the file is missing, cut short or not PCM WAV.
    std::unique_ptr<Sound> load(const std::string& path) override;
    void beep() override;

    // Connects to the sound server and caches every sound loaded so far; later ones as they
    // load. Without a server nothing is cached and the sounds stay silent.
    void prepare();
    bool isPrepared() const { return prepared_; }

private:
    class CachedSound;

    std::vector<CachedSound*> sounds_; // every live sound, to cache when prepared
    bool prepared_ = false;
};

} // namespace quillmere::qt
