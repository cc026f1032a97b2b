#include "platform/qt/QtStatusItem.h"

#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"

#include <QCursor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace quillmere::qt {

QtStatusItem::QtStatusItem() {
    QObject::connect(&tray_, &QSystemTrayIcon::activated, &tray_,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         // The context menu opens by itself on a right click; a left click
                         // opens the same menu.
                         if (menu_ != nullptr && reason == QSystemTrayIcon::Trigger) {
                             menu_->menu()->popup(QCursor::pos());
                         }
                     });
}

QtStatusItem::~QtStatusItem() = default;

void QtStatusItem::setImage(std::shared_ptr<const Image> image) {
    if (image == image_ && iconUpdates_ > 0) {
        return;
    }
    image_ = std::move(image);
    updateIcon();
}

void QtStatusItem::setImageSize(double, double) {
    // The tray sizes its icons itself; the image is drawn to fit the slot it is given.
}

void QtStatusItem::setTitle(const std::string& text, const Font&, TitleColor color) {
    if (text == title_ && color == color_) {
        return;
    }
    title_ = text;
    color_ = color;
    tray_.setToolTip(QString::fromStdString(text));
    if (!image_) {
        updateIcon();
    }
}

void QtStatusItem::setMenu(Menu& menu) {
    menu_ = &dynamic_cast<QtMenu&>(menu);
    tray_.setContextMenu(menu_->menu());
}

void QtStatusItem::updateIcon() {
    QImage picture;
    if (const auto* qtImage = dynamic_cast<const QtImage*>(image_.get())) {
        picture = qtImage->image();
    }
    if (picture.isNull()) {
        picture = renderTitle(title_, color_, 64);
    }
    tray_.setIcon(QIcon(QPixmap::fromImage(picture)));
    ++iconUpdates_;
    if (!tray_.isVisible()) {
        tray_.show();
    }
}

QImage QtStatusItem::renderTitle(const std::string& text, TitleColor color, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // A dark plate keeps the text readable on light and dark panels alike.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(32, 32, 32, 230));
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    const QString label = text.empty() ? QStringLiteral("…") : QString::fromStdString(text);
    QFont font;
    font.setBold(true);
    font.setPixelSize(size * 6 / 10);
    // Shrink until the widest title ("+>24h") fits the slot.
    while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(label) > size - size / 8) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    painter.setFont(font);
    painter.setPen(color == TitleColor::Red ? QColor(255, 80, 70) : QColor(240, 240, 240));
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, label);
    return image;
}

} // namespace quillmere::qt
