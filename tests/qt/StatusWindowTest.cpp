// The status window of a desktop without a status area: what it shows and how it answers.
#include "platform/qt/StatusWindow.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"
#include "platform/sim/SimServices.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include <gtest/gtest.h>

namespace quillmere::qt {
namespace {

const Font TitleFont{true, 12, Font::Weight::Regular};

// Whether columns [from, to) of the window show a clearly red (or green) pixel.
bool shows(StatusWindow& window, int from, int to, Qt::GlobalColor colour) {
    const QImage image = window.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from; x < std::min(to, image.width()); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int own = colour == Qt::red ? c.red() : c.green();
            if (own > 200 && c.red() + c.green() + c.blue() - own < 130) {
                return true;
            }
        }
    }
    return false;
}

void mouse(QWidget& widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    QMouseEvent event(type, local, widget.mapToGlobal(local), Qt::LeftButton, buttons, {});
    QApplication::sendEvent(&widget, &event);
}
void drag(QWidget& widget, QPoint by) {
    mouse(widget, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    mouse(widget, QEvent::MouseMove, QPoint(5, 5) + by, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, QPoint(5, 5) + by, Qt::NoButton);
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

class StatusWindowTest : public ::testing::Test {
protected:
    StatusWindowTest() {
        QImage picture(128, 128, QImage::Format_ARGB32);
        picture.fill(Qt::green);
        // As the unit does: first the item, then its icon and title, which make it grow.
        window.setImage(std::make_shared<QtImage>("Quillmere.png", picture));
        window.setImageSize(16, 26);
        window.setTitle("10m", TitleFont, TitleColor::Default);
        menu.addItem("Quit", "terminateAction:", "q", nullptr);
        window.setMenu(menu);
        window.show();
    }
    ~StatusWindowTest() override { menu.menu()->hide(); }
    StatusWindow nextRun() { return StatusWindow(store, StatusWindow::Placement::Self); }

    sim::SimDefaultsStore store;
    QtMenu menu;
    StatusWindow window{store, StatusWindow::Placement::Self};
};

TEST_F(StatusWindowTest, ShowsIconThenTitleOnTopInTheCornerAndStaysOnScreen) {
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(onScreen(window, true));
    const int iconEnd = 6 + 16; // padding, then the 16-point icon
    EXPECT_TRUE(shows(window, 0, iconEnd, Qt::green));
    EXPECT_FALSE(shows(window, iconEnd, window.width(), Qt::green));
    // A pending reminder's red title; the width holds still as the title changes.
    const int width = window.width();
    EXPECT_FALSE(shows(window, 0, width, Qt::red));
    window.setTitle("+5", TitleFont, TitleColor::Red);
    EXPECT_TRUE(shows(window, iconEnd, width, Qt::red));
    window.setTitle("9", TitleFont, TitleColor::Default);
    EXPECT_EQ(window.width(), width);

    // A stored place off every screen lands on it; one that cannot be read, in the corner.
    const std::pair<const char*, bool> places[] = {
        {"-3000,9000", false}, {"12345,40", false}, {"", true},
        {"garbage", true},     {"10,", true},       {"1,2,3", true}};
    for (const auto& [stored, inTheCorner] : places) {
        store.setString(StatusWindow::PositionKey, stored);
        EXPECT_TRUE(onScreen(nextRun(), inTheCorner)) << stored;
    }
}

TEST_F(StatusWindowTest, AClickOrReturnOpensTheMenuADragOrArrowsMoveItForTheNextRunToo) {
    mouse(window, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    mouse(window, QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
    EXPECT_TRUE(menu.menu()->isVisible());
    menu.menu()->hide();
    EXPECT_EQ(window.focusPolicy(), Qt::StrongFocus); // reachable by keyboard
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    press(window, Qt::Key_Return);
    EXPECT_TRUE(menu.menu()->isVisible());
    menu.menu()->hide();

    const QPoint start = window.pos();
    drag(window, {-40, -30});
    EXPECT_FALSE(menu.menu()->isVisible());
    press(window, Qt::Key_Left);
    press(window, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(window.pos(), start + QPoint(-40 - StatusWindow::KeyStep, -31));
    EXPECT_EQ(nextRun().pos(), window.pos());
    drag(window, {400, 4000});
    EXPECT_TRUE(onScreen(window));
}

TEST(StatusWindowOnWaylandTest, IsAnOrdinaryWindowTheCompositorPlaces) {
    sim::SimDefaultsStore store;
    StatusWindow window(store, StatusWindow::Placement::Compositor);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    store.setString(StatusWindow::PositionKey, "100,100");
    EXPECT_NE(StatusWindow(store, StatusWindow::Placement::Compositor).pos(), QPoint(100, 100));
}

} // namespace
} // namespace quillmere::qt
