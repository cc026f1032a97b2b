#pragma once

#include "platform/StatusItem.h"
#include "platform/qt/StatusIconPainter.h"

#include <QIcon>
#include <QSystemTrayIcon>

#include <memory>
#include <optional>
#include <string>

namespace quillmere::qt {

class QtMenu;

// The status item as a tray icon (XEmbed / the desktop's tray), which shows no title: the icon
// carries the time (the logo with the title's number and a ring for the part of the interval that
// is gone), the tooltip tells it in words, either click opens the menu. The icon is drawn at the
// size the tray paints it, once per change of what it shows.
class QtStatusItem : public StatusItem {
public:
    QtStatusItem();
    ~QtStatusItem() override;

    void setImage(std::shared_ptr<const Image> image) override;
    bool hasImage() const override { return image_ != nullptr; }
    void setImageSize(double width, double height) override;
    void setTitle(const std::string& text, const Font& font, TitleColor color) override;
    void setMenu(Menu& menu) override;
    void setToolTip(const std::string& text) override;
    void setElapsedFraction(double fraction) override;
    // The tray never shows the title beside the icon: the icon always carries it.
    void setTimeInIcon(bool) override {}
    bool titleHiddenByDesktop() const override { return true; }

    const std::string& title() const { return title_; }
    TitleColor titleColor() const { return color_; }
    QSystemTrayIcon& trayIcon() { return tray_; }
    // How often the icon was replaced, for tests of the idle cost.
    int iconUpdates() const { return iconUpdates_; }

private:
    // Changes made within one refresh are shown together, once the refresh is over.
    void scheduleIconUpdate();
    void updateIcon();

    QSystemTrayIcon tray_;
    std::shared_ptr<StatusIconPainter> painter_;
    std::shared_ptr<const Image> image_;
    bool imageSet_ = false;
    std::string title_;
    TitleColor color_ = TitleColor::Default;
    std::optional<double> elapsed_;
    std::optional<StatusIconPainter::Content> shown_;
    bool updatePending_ = false;
    QtMenu* menu_ = nullptr;
    int iconUpdates_ = 0;
};

} // namespace quillmere::qt
