#include "core/BuildInfo.h"

#include "core/Err.h"
#include "platform/Resources.h"

#include <cstddef>
#include <fstream>
#include <ios>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillmere {

namespace {

// Decoded text that remembers where each code point starts in the bytes, so keys and values are
// cut from the file's own bytes; `starts` ends with the byte count.
struct Text {
    std::u32string points;
    std::vector<std::size_t> starts;
};

// Strict UTF-8: overlong forms, surrogates, code points above U+10FFFF and cut sequences fail.
std::optional<Text> decodeUtf8(const std::string& bytes) {
    Text text;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        std::size_t length = 1;
        char32_t point = lead;
        char32_t smallest = 0;
        if (lead >= 0x80) {
            if ((lead & 0xE0) == 0xC0) {
                length = 2;
                point = lead & 0x1F;
                smallest = 0x80;
            } else if ((lead & 0xF0) == 0xE0) {
                length = 3;
                point = lead & 0x0F;
                smallest = 0x800;
            } else if ((lead & 0xF8) == 0xF0) {
                length = 4;
                point = lead & 0x07;
                smallest = 0x10000;
            } else {
                return std::nullopt;
            }
        }
        if (bytes.size() - at < length) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[at + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            point = (point << 6) | (next & 0x3F);
        }
        if (point < smallest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return std::nullopt;
        }
        text.points.push_back(point);
        text.starts.push_back(at);
        at += length;
    }
    text.starts.push_back(bytes.size());
    return text;
}

// LF, VT, FF, CR, NEL, LS, PS. A CR LF pair leaves an empty line between its two characters,
// and empty lines are dropped, so the pair counts as one break.
bool isLineBreak(char32_t c) {
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// The tab and Unicode's space separators (category Zs).
bool isBlank(char32_t c) {
    return c == 0x09 || c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

// A read failure becomes an Err with the library's own message; the standard library may report
// it by throwing from inside the stream (a directory, an I/O error) instead of setting badbit.
std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        throw Err("Cannot open the file " + path);
    }
    try {
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) {
            throw Err("Cannot read the file " + path);
        }
        return bytes;
    } catch (const std::ios_base::failure& failure) {
        throw Err(failure.what());
    }
}

} // namespace

BuildInfo::BuildInfo(std::string build, std::string date, std::string version)
    : build_(std::move(build))
    , date_(std::move(date))
    , version_(std::move(version)) {}

BuildInfo BuildInfo::fromResourceFile(const Resources& resources, const std::string& basename) {
    std::string build = Unknown;
    std::string date = Unknown;
    std::string version = Unknown;
    try {
        const auto path = resources.pathForResource(basename, "txt");
        if (!path) {
            throw Err("Invalid URL to BuildInfo");
        }
        const std::string bytes = readWholeFile(*path);
        const auto text = decodeUtf8(bytes);
        if (!text) {
            throw Err("Invalid VersionInfo data");
        }
        const auto& points = text->points;
        const auto byteRange = [&](std::size_t from, std::size_t to) {
            return bytes.substr(text->starts[from], text->starts[to] - text->starts[from]);
        };
        // A byte order mark only marks the encoding; it is not a character of the first key.
        std::size_t lineStart = !points.empty() && points.front() == 0xFEFF ? 1 : 0;
        for (std::size_t i = lineStart; i <= points.size(); ++i) {
            if (i < points.size() && !isLineBreak(points[i])) {
                continue;
            }
            std::size_t begin = lineStart;
            std::size_t end = i;
            lineStart = i + 1;
            while (begin < end && isBlank(points[begin])) {
                ++begin;
            }
            while (end > begin && isBlank(points[end - 1])) {
                --end;
            }
            const auto equals = points.find(U'=', begin);
            // A line without both a key and a value carries nothing to read; it is passed over.
            if (equals >= end || equals == begin || equals + 1 == end) {
                continue;
            }
            std::string key = byteRange(begin, equals);
            std::string value = byteRange(equals + 1, end);
            if (key == "Build") {
                build = std::move(value);
            } else if (key == "Date") {
                date = std::move(value);
            } else if (key == "Version") {
                version = std::move(value);
            } else {
                throw Err("Unrecognized build info key " + key);
            }
        }
        for (const auto& [name, field] : {std::pair{"build", &build}, std::pair{"date", &date},
                                          std::pair{"version", &version}}) {
            if (*field == Unknown) {
                throw Err(std::string("Missing field \"") + name + "\" in build info");
            }
        }
    } catch (const Err&) {
        // Dropped on purpose: the fields not read stay "UNKNOWN", which is the whole report.
    }
    return BuildInfo(std::move(build), std::move(date), std::move(version));
}

} // namespace quillmere
