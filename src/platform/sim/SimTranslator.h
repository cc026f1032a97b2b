#pragma once

#include "platform/Translator.h"

#include <functional>
#include <string>
#include <utility>

namespace quillmere::sim {

// English, or a made-up language a test sets: every text comes back as its function makes it.
class SimTranslator : public Translator {
public:
    using Language = std::function<std::string(const char* context, const char* source)>;

    std::string translate(const char* context, const char* source) const override {
        return language_ ? language_(context, source) : std::string(source);
    }
    void setLanguage(Language language) { language_ = std::move(language); }

private:
    Language language_;
};

} // namespace quillmere::sim
