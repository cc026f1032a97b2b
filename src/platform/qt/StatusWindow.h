#pragma once

#include "platform/StatusItem.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSizeF>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

namespace quillmere {
class DefaultsStore;
}

namespace quillmere::qt {

class QtMenu;

// The status item where the desktop has no status area at all: a small window showing icon and
// title side by side. A click, or Return, Space or the menu key when it has the keyboard, opens
// the menu. Where it may place itself (X11) it is frameless, on top and on every workspace, starts
// in the work area's bottom right corner (clear of title-bar buttons), and is moved by a drag or
// the arrow keys to a place it keeps across runs and screen changes. Where the compositor places
// windows (Wayland) it is an ordinary window with a title bar.
class StatusWindow : public QWidget, public StatusItem {
    Q_OBJECT

public:
    // The widest title expected: the window keeps this width, so it doesn't jitter each minute.
    static constexpr const char* WidestTitle = "+>24h";
    // Where the user last put it, as "x,y" in the settings.
    static constexpr const char* PositionKey = "StatusWindowPosition";
    // How far an arrow key moves it.
    static constexpr int KeyStep = 10;

    enum class Placement { Self, Compositor };
    // Compositor on Wayland, where windows can't place themselves or stay on top.
    static Placement platformPlacement();

    // `store` keeps the position; it outlives the window.
    explicit StatusWindow(DefaultsStore& store, Placement placement = platformPlacement());
    ~StatusWindow() override;

    void setImage(std::shared_ptr<const Image> image) override;
    bool hasImage() const override { return image_ != nullptr; }
    void setImageSize(double width, double height) override;
    void setTitle(const std::string& text, const Font& font, TitleColor color) override;
    void setMenu(Menu& menu) override;
    void setToolTip(const std::string& text) override;
    // The window shows the title beside the icon: neither the ring nor the time go in the icon.
    void setElapsedFraction(double) override {}
    void setTimeInIcon(bool) override {}
    bool titleHiddenByDesktop() const override { return false; }

    const std::string& title() const { return title_; }
    TitleColor titleColor() const { return color_; }
    QSize sizeHint() const override;
    // Where a click opens the menu, in global coordinates.
    QPoint menuPosition() const;
    // Opens the menu below the window (above it near the bottom of the screen).
    void openMenu();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize iconBox() const;
    void fitToContent();
    // Puts the window where it belongs: the stored place or the corner, on a screen.
    void place();
    // `topLeft` moved as little as needed to lie inside the work area of the screen it is on.
    QPoint onScreen(QPoint topLeft) const;
    void moveBy(QPoint step);
    void storePosition();

    DefaultsStore& store_;
    const Placement placement_;
    std::optional<QPoint> chosen_; // where the user put it; none: the corner
    std::shared_ptr<const Image> image_;
    QImage picture_;
    QSizeF imageSize_{16, 26};
    std::string title_;
    TitleColor color_ = TitleColor::Default;
    QFont font_;
    QtMenu* menu_ = nullptr;
    QPoint pressGlobal_;
    QPoint pressWindow_;
    bool pressed_ = false;
    bool dragging_ = false;
};

} // namespace quillmere::qt
