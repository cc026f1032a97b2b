#pragma once

#include "platform/WholeNumber.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quillmere {

// A value as a defaults store holds it, with the typed reads every store adapter applies: the
// same rules for the in-memory store and for a settings file whose values came back as text.
using StoredValue = std::variant<bool, std::int64_t, double, std::string>;

namespace stored {

// The whole text read as a number (surrounding blanks allowed), or none.
inline std::optional<double> parseNumber(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    // from_chars takes no "+"; drop one only where a digit or point follows, so "+-5" stays text.
    if (text.size() > 1 && text.front() == '+' &&
        (std::isdigit(static_cast<unsigned char>(text[1])) != 0 || text[1] == '.')) {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// True for a true Boolean, a non-zero number, or the text "true", "yes" or a non-zero number;
// false for everything else, garbage included.
inline bool asBool(const StoredValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) {
        return *b;
    }
    if (const std::int64_t* i = std::get_if<std::int64_t>(&value)) {
        return *i != 0;
    }
    if (const double* d = std::get_if<double>(&value)) {
        return *d != 0 && *d == *d;
    }
    const std::string& text = std::get<std::string>(value);
    if (equalsIgnoringCase(text, "true") || equalsIgnoringCase(text, "yes")) {
        return true;
    }
    const std::optional<double> number = parseNumber(text);
    return number && *number != 0 && *number == *number;
}

// A floating-point number; 0 for anything that is not one.
inline double asDouble(const StoredValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) {
        return *b ? 1 : 0;
    }
    if (const std::int64_t* i = std::get_if<std::int64_t>(&value)) {
        return static_cast<double>(*i);
    }
    if (const double* d = std::get_if<double>(&value)) {
        return *d;
    }
    return parseNumber(std::get<std::string>(value)).value_or(0);
}

// A whole number, the fraction cut off; 0 for anything that is not a number or does not fit.
inline std::int64_t asInteger(const StoredValue& value) {
    if (const std::int64_t* i = std::get_if<std::int64_t>(&value)) {
        return *i;
    }
    return truncatedToInt64(asDouble(value)).value_or(0);
}

// The text of a string, or of a number or Boolean ("1" / "0" for a Boolean).
inline std::string asString(const StoredValue& value) {
    if (const std::string* s = std::get_if<std::string>(&value)) {
        return *s;
    }
    if (const bool* b = std::get_if<bool>(&value)) {
        return *b ? "1" : "0";
    }
    if (const std::int64_t* i = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*i);
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::get<double>(value));
    return std::string(buffer, result.ptr);
}

} // namespace stored
} // namespace quillmere
