#pragma once

#include "platform/NonCopyable.h"

#include <memory>
#include <optional>
#include <string>

namespace quillmere {

class Image;

// The application's packaged resources.
class Resources : NonCopyable {
public:
    virtual ~Resources() = default;
    // The file path of the resource `name`.`extension`, or none when it is not packaged.
    virtual std::optional<std::string> pathForResource(const std::string& name,
                                                       const std::string& extension) const = 0;
    // The image resource `name` (with its extension), or null when missing or unreadable.
    virtual std::shared_ptr<const Image> image(const std::string& name) = 0;
};

} // namespace quillmere
