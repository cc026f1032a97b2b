// The item where no status area is: the time drawn into the tray icon (the state told apart,
// replaced only when the picture changes) and the status window of a desktop without a tray
// (what it shows, how it answers, where it goes).
#include "platform/qt/StatusWindow.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtStatusItem.h"
#include "platform/qt/StatusIconPainter.h"
#include "platform/sim/SimServices.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include <gtest/gtest.h>

namespace quillmere::qt {
namespace {

const Font TitleFont{true, 12, Font::Weight::Regular};

QImage draw(const std::string& title, double elapsed, TitleColor color = TitleColor::Default,
            const char* logo = "Quillmere.png") {
    const QtImage image(logo, QImage(QStringLiteral(QUILLMERE_TEST_RESOURCES "/") + logo));
    return StatusIconPainter().picture(StatusIconPainter::content(&image, title, color, elapsed),
                                       22);
}

// Whether `image` has, within `area`, a pixel where `channel` (0 red, 1 green, 2 blue; -1 any)
// stands above the weakest channel by `by`.
bool shows(const QImage& image, const QRect& area, int channel, int by = 130) {
    for (int y = area.top(); y <= std::min(area.bottom(), image.height() - 1); ++y) {
        for (int x = area.left(); x <= std::min(area.right(), image.width() - 1); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int rgb[] = {c.red(), c.green(), c.blue()};
            for (int own = 0; own < 3; ++own) {
                if ((channel < 0 || own == channel) &&
                    rgb[own] - *std::min_element(rgb, rgb + 3) >= by) {
                    return true;
                }
            }
        }
    }
    return false;
}

TEST(StatusIconPainter, TwoGlyphsAtMostAndTheStateShows) {
    // Two glyphs at most, whole minutes or hours: a count-up in seconds would redraw each second.
    EXPECT_EQ(StatusIconPainter::iconText("+>24h"), "24h");
    EXPECT_EQ(StatusIconPainter::iconText("+30"), "+");
    // The logo's coloured top while timing, grey with red digits after; the ring fills clockwise
    // from the top: the right half at half time, all of it at the end.
    const QImage timing = draw("7m", 0.5);
    const QImage reminding = draw("+5m", 1.0, TitleColor::Red, "QuillmereGrey.png");
    EXPECT_TRUE(shows(timing, {8, 4, 6, 3}, -1, 80) && !shows(reminding, {8, 4, 6, 3}, -1, 20));
    EXPECT_TRUE(shows(reminding, {8, 10, 6, 8}, 0));
    EXPECT_TRUE(shows(timing, {21, 11, 1, 1}, 0, 80) && !shows(timing, {0, 11, 1, 1}, 0, 80) &&
                !shows(draw("11m", 0.0), {21, 11, 1, 1}, 0, 80));
    EXPECT_TRUE(shows(reminding, {0, 11, 1, 1}, 0, 80) && shows(reminding, {11, 21, 1, 1}, 0, 80));
}

TEST(QtStatusItemTest, TheTrayIconIsReplacedOncePerVisibleChange) {
    const auto logo =
        std::make_shared<QtImage>("Quillmere.png", QImage(8, 8, QImage::Format_ARGB32));
    QtStatusItem item;
    // Two minutes of a ten-minute interval, refreshed each second as the unit does.
    for (int second = 0; second <= 120; ++second) {
        item.setImage(logo);
        item.setToolTip("some time left");
        item.setElapsedFraction(second / 600.0);
        item.setTitle(std::to_string((600 - second) / 60 + 1) + "m", TitleFont,
                      TitleColor::Default);
        QCoreApplication::processEvents();
    }
    // The first picture; the minute turning at 1 s and 61 s; the ring's 24th steps at 25, 50,
    // 75 and 100 s.
    EXPECT_EQ(item.iconUpdates(), 7);
}

void mouse(QWidget& widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    QMouseEvent event(type, local, widget.mapToGlobal(local), Qt::LeftButton, buttons, {});
    QApplication::sendEvent(&widget, &event);
}
void press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = {}) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &event);
}

// Inside the work area; in its bottom right corner, clear of maximised windows' buttons.
bool onScreen(const QWidget& window, bool inTheCorner = false) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    return area.contains(frame) && (!inTheCorner || (area.right() - frame.right() < 20 &&
                                                     area.bottom() - frame.bottom() < 20));
}

TEST(StatusWindowTest, ShowsTheTimeInTheCornerOpensItsMenuAndMovesForTheNextRunToo) {
    sim::SimDefaultsStore store;
    QtMenu menu;
    menu.addItem("Quit", "terminateAction:", "q", nullptr);
    StatusWindow window(store, StatusWindow::Placement::Self);
    // As the unit does: first the item, then its icon and title, which make it grow.
    QImage picture(128, 128, QImage::Format_ARGB32);
    picture.fill(Qt::green);
    window.setImage(std::make_shared<QtImage>("Quillmere.png", picture));
    window.setImageSize(16, 26);
    window.setTitle("10m", TitleFont, TitleColor::Default);
    window.setMenu(menu);
    window.show();
    EXPECT_TRUE(onScreen(window, true));
    // The 16-point icon after its padding, then a pending reminder's red title; the width holds
    // still as the title changes.
    EXPECT_TRUE(shows(window.grab().toImage(), {0, 0, 6 + 16, window.height()}, 1));
    const int width = window.width();
    window.setTitle("+5", TitleFont, TitleColor::Red);
    EXPECT_TRUE(shows(window.grab().toImage(), {6 + 16, 0, 100, window.height()}, 0));
    window.setTitle("9", TitleFont, TitleColor::Default);
    EXPECT_EQ(window.width(), width);

    // A click or Return opens the menu; a drag or the arrows move it, and the next run too.
    mouse(window, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    mouse(window, QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
    EXPECT_TRUE(menu.menu()->isVisible());
    menu.menu()->hide();
    press(window, Qt::Key_Return);
    EXPECT_TRUE(menu.menu()->isVisible());
    menu.menu()->hide();
    const QPoint start = window.pos();
    mouse(window, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    mouse(window, QEvent::MouseMove, {-35, -25}, Qt::LeftButton);
    mouse(window, QEvent::MouseButtonRelease, {-35, -25}, Qt::NoButton);
    EXPECT_FALSE(menu.menu()->isVisible());
    press(window, Qt::Key_Left);
    press(window, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(window.pos(), start + QPoint(-40 - StatusWindow::KeyStep, -31));
    EXPECT_EQ(StatusWindow(store, StatusWindow::Placement::Self).pos(), window.pos());

    // A stored place off every screen lands on it; one that cannot be read, in the corner.
    for (const auto& [stored, inTheCorner] : {std::pair{"-3000,9000", false}, {"10,", true}}) {
        store.setString(StatusWindow::PositionKey, stored);
        EXPECT_TRUE(onScreen(StatusWindow(store, StatusWindow::Placement::Self), inTheCorner));
    }
    // On Wayland an ordinary window, which the compositor places.
    store.setString(StatusWindow::PositionKey, "100,100");
    StatusWindow ordinary(store, StatusWindow::Placement::Compositor);
    EXPECT_FALSE(ordinary.windowFlags() & (Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
    EXPECT_NE(ordinary.pos(), QPoint(100, 100));
}

} // namespace
} // namespace quillmere::qt
