#include "platform/qt/QtStatusItem.h"

#include "platform/qt/QtMenu.h"

#include <QCursor>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace quillmere::qt {

namespace {

// Draws the time icon at whatever size the tray paints it, so the digits stay crisp in a 22, 24
// or 26 px slot instead of being scaled from another size.
class TimeIconEngine : public QIconEngine {
public:
    TimeIconEngine(std::shared_ptr<StatusIconPainter> painter, StatusIconPainter::Content content)
        : painter_(std::move(painter))
        , content_(std::move(content)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        const int side = std::min(rect.width(), rect.height());
        QImage picture = painter_->picture(content_, qRound(side * ratio));
        picture.setDevicePixelRatio(ratio);
        painter->drawImage(QRect(rect.x() + (rect.width() - side) / 2,
                                 rect.y() + (rect.height() - side) / 2, side, side),
                           picture);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return QPixmap::fromImage(
            painter_->picture(content_, std::max(1, std::min(size.width(), size.height()))));
    }
    QIconEngine* clone() const override { return new TimeIconEngine(painter_, content_); }
    QString key() const override { return QStringLiteral("QuillmereTime"); }

private:
    std::shared_ptr<StatusIconPainter> painter_;
    StatusIconPainter::Content content_;
};

} // namespace

QtStatusItem::QtStatusItem()
    : painter_(std::make_shared<StatusIconPainter>()) {
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
    if (imageSet_ && image == image_) {
        return;
    }
    imageSet_ = true;
    image_ = std::move(image);
    scheduleIconUpdate();
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
    scheduleIconUpdate();
}

void QtStatusItem::setMenu(Menu& menu) {
    menu_ = &dynamic_cast<QtMenu&>(menu);
    tray_.setContextMenu(menu_->menu());
}

void QtStatusItem::setToolTip(const std::string& text) {
    const QString toolTip =
        QGuiApplication::applicationDisplayName() + u'\n' + QString::fromStdString(text);
    if (toolTip != tray_.toolTip()) {
        tray_.setToolTip(toolTip);
    }
}

void QtStatusItem::setElapsedFraction(double fraction) {
    elapsed_ = fraction;
    scheduleIconUpdate();
}

void QtStatusItem::scheduleIconUpdate() {
    // Most refreshes change nothing the icon shows (the same minute, the same ring step).
    if (updatePending_ ||
        StatusIconPainter::content(image_.get(), title_, color_, elapsed_) == shown_) {
        return;
    }
    updatePending_ = true;
    // Queued behind the refresh that asked, so one picture shows all of its changes.
    QMetaObject::invokeMethod(
        &tray_,
        [this] {
            updatePending_ = false;
            updateIcon();
        },
        Qt::QueuedConnection);
}

void QtStatusItem::updateIcon() {
    StatusIconPainter::Content content =
        StatusIconPainter::content(image_.get(), title_, color_, elapsed_);
    if (content == shown_) {
        return;
    }
    tray_.setIcon(QIcon(new TimeIconEngine(painter_, content)));
    shown_ = std::move(content);
    ++iconUpdates_;
    if (!tray_.isVisible()) {
        tray_.show();
    }
}

} // namespace quillmere::qt
