#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace quillmere::qt {

// What the header of a PCM WAV file says about its samples.
struct WavFormat {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    // Where the samples start in the file, and how many bytes of them there are.
    std::int64_t dataOffset = 0;
    std::int64_t dataSize = 0;
};

// Reads the header of the WAV file at `path` and checks it against the file: none unless it is
// 16-bit integer PCM, mono or stereo, at a usual rate, with whole frames, all of them in the file
// (a file cut short is refused). Reads the chunk headers only, not the samples.
std::optional<WavFormat> readWavFormat(const QString& path);

} // namespace quillmere::qt
