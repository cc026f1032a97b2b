#include "core/AppIcon.h"

#include "platform/Image.h"
#include "platform/Resources.h"

namespace quillmere {

std::shared_ptr<const Image> AppIcon::image() {
    if (!loaded_) {
        image_ = resources_.image(ImageName);
        loaded_ = true;
    }
    return image_;
}

std::optional<ViewNode> AppIcon::view(double height, double trailingPadding) {
    const std::shared_ptr<const Image> logo = image();
    // An empty image would give a frame of no number at all (0 / 0).
    if (!logo || !(logo->width() > 0 && logo->height() > 0)) {
        return std::nullopt;
    }
    ViewNode node = ViewNode::picture(logo);
    node.withFrame(height * (logo->width() / logo->height()), height)
        .withPadding(0, 0, 0, trailingPadding);
    return node;
}

} // namespace quillmere
