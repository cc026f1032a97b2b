#include "platform/qt/WavFile.h"

#include <QFile>

#include <array>
#include <cstring>

namespace quillmere::qt {

namespace {

// Far more than any alert sound: a larger file is not taken.
constexpr std::int64_t LargestFile = 64 * 1024 * 1024;
constexpr int PcmFormat = 1;

std::uint32_t le32(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
           std::uint32_t{b[3]} << 24;
}

std::uint16_t le16(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

bool readAt(QFile& file, std::int64_t offset, char* into, std::int64_t size) {
    return file.seek(offset) && file.read(into, size) == size;
}

// The format chunk's fields, if they describe PCM that the sound server's client library reads
// (16-bit integers only).
std::optional<WavFormat> parseFormat(const char* chunk) {
    const int format = le16(chunk);
    const int channels = le16(chunk + 2);
    const std::uint32_t rate = le32(chunk + 4);
    const std::uint32_t byteRate = le32(chunk + 8);
    const int blockAlign = le16(chunk + 12);
    const int bits = le16(chunk + 14);
    if (format != PcmFormat || channels < 1 || channels > 2 || rate < 8000 || rate > 192000 ||
        bits != 16 || blockAlign != channels * bits / 8 ||
        byteRate != rate * static_cast<std::uint32_t>(blockAlign)) {
        return std::nullopt;
    }
    WavFormat wav;
    wav.sampleRate = static_cast<int>(rate);
    wav.channels = channels;
    wav.bitsPerSample = bits;
    return wav;
}

} // namespace

std::optional<WavFormat> readWavFormat(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const std::int64_t size = file.size();
    std::array<char, 16> header{};
    if (size < 12 || size > LargestFile || !readAt(file, 0, header.data(), 12) ||
        std::memcmp(header.data(), "RIFF", 4) != 0 ||
        std::memcmp(header.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    std::optional<WavFormat> wav;
    // Every chunk is at least its 8-byte header, so the walk ends within the file.
    for (std::int64_t at = 12; at + 8 <= size;) {
        if (!readAt(file, at, header.data(), 8)) {
            return std::nullopt;
        }
        const std::int64_t chunkSize = le32(header.data() + 4);
        const std::int64_t body = at + 8;
        if (body + chunkSize > size) {
            return std::nullopt; // cut short: the chunk runs past the end of the file
        }
        if (std::memcmp(header.data(), "fmt ", 4) == 0) {
            if (chunkSize < 16 || !readAt(file, body, header.data(), 16)) {
                return std::nullopt;
            }
            wav = parseFormat(header.data());
            if (!wav) {
                return std::nullopt;
            }
        } else if (std::memcmp(header.data(), "data", 4) == 0) {
            const int frameBytes = wav ? wav->channels * wav->bitsPerSample / 8 : 0;
            if (!wav || chunkSize == 0 || chunkSize % frameBytes != 0) {
                return std::nullopt;
            }
            wav->dataOffset = body;
            wav->dataSize = chunkSize;
            return wav;
        }
        at = body + chunkSize + (chunkSize & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}

} // namespace quillmere::qt
