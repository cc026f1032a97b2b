#include "platform/qt/StatusWindow.h"

#include "platform/DefaultsStore.h"
#include "platform/qt/OsIntegration.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

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

StatusWindow::Placement StatusWindow::platformPlacement() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
               ? Placement::Compositor
               : Placement::Self;
}

StatusWindow::StatusWindow(DefaultsStore& store, Placement placement)
    : QWidget(nullptr, placement == Placement::Self
                           ? Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           : Qt::Window)
    , store_(store)
    , placement_(placement)
    , font_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
    // An ordinary window, so the window switcher reaches it, that takes no focus when it shows.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QApplication::applicationName());
    if (placement_ == Placement::Self) {
        const QStringList stored =
            QString::fromStdString(store_.stringValue(PositionKey).value_or("")).split(u',');
        bool x = false;
        bool y = false;
        const QPoint point(stored.value(0).trimmed().toInt(&x),
                           stored.value(1).trimmed().toInt(&y));
        if (stored.size() == 2 && x && y) {
            chosen_ = point;
        }
        // A screen that goes, comes or changes its panels may leave the window off the screen.
        const auto follow = [this](QScreen* screen) {
            connect(screen, &QScreen::availableGeometryChanged, this, &StatusWindow::place);
        };
        for (QScreen* screen : QGuiApplication::screens()) {
            follow(screen);
        }
        connect(qApp, &QGuiApplication::screenAdded, this, follow);
        connect(qApp, &QGuiApplication::screenRemoved, this, &StatusWindow::place);
    }
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
    place();
}

void StatusWindow::place() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (placement_ == Placement::Compositor || screen == nullptr) {
        return;
    }
    if (chosen_) {
        move(onScreen(*chosen_));
        return;
    }
    // The bottom right corner of the work area: maximised windows have their title-bar buttons
    // at the top. It keeps to the corner as it grows, until the user puts it elsewhere.
    const QRect area = screen->availableGeometry();
    move(area.right() + 1 - width() - Margin, area.bottom() + 1 - height() - Margin);
}

QPoint StatusWindow::onScreen(QPoint topLeft) const {
    const QScreen* screen = QGuiApplication::screenAt(topLeft + rect().center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen->availableGeometry();
    return {std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - width())),
            std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - height()))};
}

void StatusWindow::moveBy(QPoint step) {
    if (placement_ == Placement::Self) {
        chosen_ = onScreen(pos() + step);
        move(*chosen_);
    }
}

void StatusWindow::storePosition() {
    if (chosen_) {
        store_.setString(PositionKey,
                         QStringLiteral("%1,%2").arg(chosen_->x()).arg(chosen_->y()).toStdString());
    }
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
    if (hasFocus()) {
        // Where the keyboard is, for whoever reached the window with it.
        painter.setPen(Text);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
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

void StatusWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placement_ == Placement::Self) {
        // Before the window is mapped, which is when window managers read it.
        showOnAllWorkspaces(*this);
    }
}

void StatusWindow::closeEvent(QCloseEvent* event) {
    // The window is the program's only presence: closing it from the window manager would leave
    // the timer running unseen. Quit is in its menu.
    if (event->spontaneous()) {
        event->ignore();
        if (placement_ == Placement::Compositor) {
            showMinimized();
        }
    }
}

void StatusWindow::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers().testFlag(Qt::ShiftModifier) ? 1 : KeyStep;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Menu:
        openMenu();
        break;
    case Qt::Key_Left:
        moveBy({-step, 0});
        break;
    case Qt::Key_Right:
        moveBy({step, 0});
        break;
    case Qt::Key_Up:
        moveBy({0, -step});
        break;
    case Qt::Key_Down:
        moveBy({0, step});
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    storePosition();
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
    if (!dragging_ && placement_ == Placement::Compositor) {
        // Only the compositor can move it there.
        dragging_ = windowHandle() != nullptr && windowHandle()->startSystemMove();
        return;
    }
    dragging_ = true;
    moveBy(pressWindow_ + delta - pos());
}

void StatusWindow::mouseReleaseEvent(QMouseEvent*) {
    const bool click = pressed_ && !dragging_;
    const bool dragged = pressed_ && dragging_;
    pressed_ = false;
    dragging_ = false;
    if (click) {
        openMenu();
    } else if (dragged) {
        storePosition();
    }
}

} // namespace quillmere::qt
