#pragma once

#include "platform/NonCopyable.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillmere {

// The per-user key-value store that survives restarts. Reads never fail: each has a value for an
// absent or ill-typed key.
class DefaultsStore : NonCopyable {
public:
    virtual ~DefaultsStore() = default;
    // Whether any value is stored under `key`.
    virtual bool contains(const std::string& key) const = 0;
    // A Boolean; false when absent or not a Boolean.
    virtual bool boolValue(const std::string& key) const = 0;
    // A whole number; a floating-point value loses its fraction; 0 when absent, non-numeric or
    // out of range.
    virtual std::int64_t integerValue(const std::string& key) const = 0;
    // A floating-point number; 0 when absent or non-numeric.
    virtual double doubleValue(const std::string& key) const = 0;
    // A string; none when absent.
    virtual std::optional<std::string> stringValue(const std::string& key) const = 0;
    virtual void setBool(const std::string& key, bool value) = 0;
    virtual void setDouble(const std::string& key, double value) = 0;
    virtual void setString(const std::string& key, const std::string& value) = 0;
};

} // namespace quillmere
