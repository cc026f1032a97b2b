#pragma once

#include "platform/StatusItem.h"

#include <QIcon>
#include <QSystemTrayIcon>

#include <memory>
#include <string>

namespace quillmere::qt {

class QtMenu;

// The status item as a tray icon (XEmbed / the desktop's tray): the state's icon, the title in
// the tooltip, the menu on either click. Without an image the title itself is drawn as the icon,
// so the item is never invisible. Nothing is redrawn unless what it shows changed.
class QtStatusItem : public StatusItem {
public:
    QtStatusItem();
    ~QtStatusItem() override;

    void setImage(std::shared_ptr<const Image> image) override;
    bool hasImage() const override { return image_ != nullptr; }
    void setImageSize(double width, double height) override;
    void setTitle(const std::string& text, const Font& font, TitleColor color) override;
    void setMenu(Menu& menu) override;

    const std::string& title() const { return title_; }
    TitleColor titleColor() const { return color_; }
    QSystemTrayIcon& trayIcon() { return tray_; }
    // How often the icon was redrawn, for tests of the idle cost.
    int iconUpdates() const { return iconUpdates_; }

    // The title drawn as a square icon, red when asked.
    static QImage renderTitle(const std::string& text, TitleColor color, int size);

private:
    void updateIcon();

    QSystemTrayIcon tray_;
    std::shared_ptr<const Image> image_;
    std::string title_;
    TitleColor color_ = TitleColor::Default;
    QtMenu* menu_ = nullptr;
    int iconUpdates_ = 0;
};

} // namespace quillmere::qt
