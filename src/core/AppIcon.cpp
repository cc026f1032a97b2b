#include "core/AppIcon.h"

#include "platform/Resources.h"

namespace quillmere {

std::shared_ptr<const Image> AppIcon::image() {
    if (!loaded_) {
        image_ = resources_.image(ImageName);
        loaded_ = true;
    }
    return image_;
}

} // namespace quillmere
