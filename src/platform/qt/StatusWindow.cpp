#include "platform/qt/StatusWindow.h"

#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace quillmere::qt {

namespace {

constexpr int Padding = 6;
constexpr int Gap = 5;
constexpr int Margin = 8;
const QColor Plate(32, 32, 32);
const QColor Text(240, 240, 240);
const QColor Red(255, 80, 70);

} // namespace

StatusWindow::StatusWindow()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus)
    , font_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QApplication::applicationName());
    fitToContent();
}

StatusWindow::~StatusWindow() = default;

void StatusWindow::setImage(std::shared_ptr<const Image> image) {
    if (image == image_ || (image && image_ && image->name() == image_->name())) {
        return;
    }
    image_ = std::move(image);
    const auto* qtImage = dynamic_cast<const QtImage*>(image_.get());
    picture_ = qtImage != nullptr ? qtImage->image() : QImage();
    fitToContent();
    update();
}

void StatusWindow::setImageSize(double width, double height) {
    const QSizeF size(width, height);
    if (size == imageSize_) {
        return;
    }
    imageSize_ = size;
    fitToContent();
    update();
}

void StatusWindow::setTitle(const std::string& text, const Font& font, TitleColor color) {
    QFont wanted = font.monospaced ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont();
    if (font.pointSize > 0) {
        wanted.setPointSizeF(font.pointSize);
    }
    wanted.setBold(font.weight == Font::Weight::Bold);
    if (text == title_ && color == color_ && wanted == font_) {
        return;
    }
    title_ = text;
    color_ = color;
    if (wanted != font_) {
        font_ = wanted;
        fitToContent();
    }
    update();
}

void StatusWindow::setToolTip(const std::string& text) {
    QWidget::setToolTip(QGuiApplication::applicationDisplayName() + u'\n' +
                        QString::fromStdString(text));
}

void StatusWindow::setMenu(Menu& menu) {
    menu_ = &dynamic_cast<QtMenu&>(menu);
}

QSize StatusWindow::iconBox() const {
    if (picture_.isNull()) {
        return {0, 0};
    }
    return picture_.size().scaled(imageSize_.toSize(), Qt::KeepAspectRatio);
}

QSize StatusWindow::sizeHint() const {
    const QFontMetrics metrics(font_);
    const QSize icon = iconBox();
    const int text = std::max(metrics.horizontalAdvance(QString::fromLatin1(WidestTitle)),
                              metrics.horizontalAdvance(QString::fromStdString(title_)));
    const int width = Padding + icon.width() + (icon.isEmpty() ? 0 : Gap) + text + Padding;
    const int height = std::max(icon.height(), metrics.height()) + 2 * (Padding / 2);
    return {width, height};
}

void StatusWindow::fitToContent() {
    setFixedSize(sizeHint());
    anchor();
}

void StatusWindow::anchor() {
    // The top right corner, where a status area would be on most desktops; it keeps to it as
    // it grows, until the user puts it elsewhere.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (moved_ || screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    move(area.right() + 1 - width() - Margin, area.top() + Margin);
}

QPoint StatusWindow::menuPosition() const {
    return mapToGlobal(QPoint(0, height()));
}

void StatusWindow::openMenu() {
    if (menu_ != nullptr) {
        // QMenu keeps itself on the screen, above the window where there is no room below.
        menu_->menu()->popup(menuPosition());
    }
}

void StatusWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Plate);
    int x = Padding;
    const QSize icon = iconBox();
    if (!icon.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(x, (height() - icon.height()) / 2), icon), picture_);
        x += icon.width() + Gap;
    }
    painter.setFont(font_);
    painter.setPen(color_ == TitleColor::Red ? Red : Text);
    painter.drawText(QRect(x, 0, width() - x - Padding, height()), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(title_));
}

void StatusWindow::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    dragging_ = false;
    pressGlobal_ = event->globalPosition().toPoint();
    pressWindow_ = pos();
}

void StatusWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) {
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - pressGlobal_;
    if (!dragging_ && delta.manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    dragging_ = true;
    moved_ = true;
    move(pressWindow_ + delta);
}

void StatusWindow::mouseReleaseEvent(QMouseEvent*) {
    const bool click = pressed_ && !dragging_;
    pressed_ = false;
    dragging_ = false;
    if (click) {
        openMenu();
    }
}

} // namespace quillmere::qt
