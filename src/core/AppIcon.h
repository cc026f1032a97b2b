#pragma once

#include "platform/View.h"

#include <memory>
#include <optional>

namespace quillmere {

class Image;
class Resources;

// The application's logo (App::Icon), loaded the first time it is used and kept afterwards.
class AppIcon {
public:
    static constexpr const char* ImageName = "Quillmere.png";

    explicit AppIcon(Resources& resources)
        : resources_(resources) {}

    // The logo, or null when the resource is missing: the windows then show no logo.
    std::shared_ptr<const Image> image();
    // The logo as a view: `height` high, as wide as its own proportions make it, with
    // `trailingPadding` after it; none when the image is missing or empty.
    std::optional<ViewNode> view(double height, double trailingPadding);

private:
    Resources& resources_;
    bool loaded_ = false;
    std::shared_ptr<const Image> image_;
};

} // namespace quillmere
