#pragma once

#include "platform/NonCopyable.h"

#include <string>
#include <string_view>

namespace quillmere {

// A text a person sees: its English source and the context its translations are filed under
// (the unit that shows it), so that one English word can read differently in two places.
struct Text {
    const char* context;
    const char* source;
};

// Marks a text for the extraction tool, which reads this name as QT_TRANSLATE_NOOP
// (scripts/update-translations.sh); the text is translated where it is shown.
constexpr Text translatable(const char* context, const char* source) {
    return Text{context, source};
}

// The user's language: every text a person sees passes through here.
class Translator : NonCopyable {
public:
    virtual ~Translator() = default;
    // `source` as the user's language says it, looked up under `context`; `source` itself where
    // no catalogue has it.
    virtual std::string translate(const char* context, const char* source) const = 0;

    std::string operator()(const Text& text) const { return translate(text.context, text.source); }
    // The translation with every "%1" replaced by `argument` (a name, a number).
    std::string operator()(const Text& text, std::string_view argument) const {
        return withArgument((*this)(text), argument);
    }
    // `text` with every "%1" replaced by `argument`; the English texts of a protocol use it too.
    static std::string withArgument(std::string text, std::string_view argument) {
        for (std::size_t at = text.find("%1"); at != std::string::npos;
             at = text.find("%1", at + argument.size())) {
            text.replace(at, 2, argument);
        }
        return text;
    }
};

} // namespace quillmere
