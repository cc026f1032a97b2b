#pragma once

#include "platform/StatusItem.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSizeF>
#include <QWidget>

#include <memory>
#include <string>

namespace quillmere::qt {

class QtMenu;

// The status item where the desktop has no status area at all: a small frameless window that
// stays on top, showing icon and title side by side. A click opens the menu; a drag moves it.
class StatusWindow : public QWidget, public StatusItem {
    Q_OBJECT

public:
    // The widest title expected: the window keeps this width, so it doesn't jitter each minute.
    static constexpr const char* WidestTitle = "+>24h";

    StatusWindow();
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize iconBox() const;
    void fitToContent();
    void anchor();

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
    bool moved_ = false;
};

} // namespace quillmere::qt
