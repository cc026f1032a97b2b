#pragma once

#include "platform/NonCopyable.h"

#include <string>

namespace quillmere {

// A loaded picture.
class Image : NonCopyable {
public:
    virtual ~Image() = default;
    // The resource name it was loaded from.
    virtual const std::string& name() const = 0;
    // Its own width and height in points.
    virtual double width() const = 0;
    virtual double height() const = 0;
};

} // namespace quillmere
