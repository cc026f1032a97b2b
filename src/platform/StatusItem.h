#pragma once

#include "platform/Font.h"
#include "platform/NonCopyable.h"

#include <memory>
#include <string>

namespace quillmere {

class Image;
class Menu;

// The colour of a status item's title.
enum class TitleColor { Default, Red };

// One item in the desktop's status area: an icon, a short title, a menu.
class StatusItem : NonCopyable {
public:
    virtual ~StatusItem() = default;
    // Shows `image`, or no image when it is null.
    virtual void setImage(std::shared_ptr<const Image> image) = 0;
    // Whether an image is shown.
    virtual bool hasImage() const = 0;
    // The size the shown image is drawn at, in points.
    virtual void setImageSize(double width, double height) = 0;
    // Shows the title text in `font` and `color`.
    virtual void setTitle(const std::string& text, const Font& font, TitleColor color) = 0;
    // The menu a click on the item opens; the menu outlives the item.
    virtual void setMenu(Menu& menu) = 0;
    // The text of the item's tooltip, shown under the application's name.
    virtual void setToolTip(const std::string& text) = 0;
    // The part of the interval that is gone, 0 to 1, for an item that draws it.
    virtual void setElapsedFraction(double fraction) = 0;
    // Whether the icon carries the title too, also where the title shows beside it.
    virtual void setTimeInIcon(bool on) = 0;
    // Whether this desktop is known to show no title beside the icon.
    virtual bool titleHiddenByDesktop() const = 0;
};

} // namespace quillmere
