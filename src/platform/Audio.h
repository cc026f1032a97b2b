#pragma once

#include "platform/NonCopyable.h"

#include <memory>
#include <string>

namespace quillmere {

// A sound decoded once and kept ready.
class Sound : NonCopyable {
public:
    virtual ~Sound() = default;
    // Starts playing without waiting for the end; failures are not reported.
    virtual void play() = 0;
};

// The audio output.
class Audio : NonCopyable {
public:
    virtual ~Audio() = default;
    // Loads the sound file at `path`; null when it can't be read or decoded.
    virtual std::unique_ptr<Sound> load(const std::string& path) = 0;
    // Sounds the platform's alert beep.
    virtual void beep() = 0;
};

} // namespace quillmere
