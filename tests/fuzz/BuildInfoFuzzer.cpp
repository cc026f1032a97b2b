// The build-information reader over any file content: it never fails, and what it reads is a
// whole line's key or value, never part of a character or of a line break.
#include "core/BuildInfo.h"
#include "platform/Resources.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class OneFile : public quillmere::Resources {
public:
    explicit OneFile(std::string path)
        : path_(std::move(path)) {}
    std::optional<std::string> pathForResource(const std::string&,
                                               const std::string&) const override {
        return path_;
    }
    std::shared_ptr<const quillmere::Image> image(const std::string&) override { return nullptr; }

private:
    std::string path_;
};

bool isValidUtf8WithoutBreaks(const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (lead == '\n' || lead == '\r' || at + length > text.size()) {
            return false;
        }
        at += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("buildinfo-fuzz-" + std::to_string(getpid())))
            .string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const OneFile resources(path);
    const auto info = quillmere::BuildInfo::fromResourceFile(resources, "BuildInfo");
    for (const std::string* field : {&info.build(), &info.date(), &info.version()}) {
        if (field->empty() || !isValidUtf8WithoutBreaks(*field)) {
            std::abort();
        }
    }
    return 0;
}
