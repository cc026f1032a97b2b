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
constexpr int IconEnd = 6 + 16; // padding, then the 16-point icon

// Whether some pixel of `image` in columns [from, to) passes `test`.
template <typename Test> bool anyPixel(const QImage& image, int from, int to, Test test) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from; x < std::min(to, image.width()); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (test(c.red(), c.green(), c.blue())) {
                return true;
            }
        }
    }
    return false;
}
const auto green = [](int r, int g, int b) { return g > 200 && r < 60 && b < 60; };
const auto red = [](int r, int g, int b) { return r > 200 && g < 130 && b < 130; };
const auto light = [](int r, int g, int b) { return r > 180 && g > 180 && b > 180; };

void mouse(QWidget& widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    QMouseEvent event(type, local, widget.mapToGlobal(local), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void drag(QWidget& widget, QPoint by) {
    mouse(widget, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    mouse(widget, QEvent::MouseMove, QPoint(5, 5) + by, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, QPoint(5, 5) + by, Qt::NoButton);
}

QRect workArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// In the work area's bottom right corner, clear of the title-bar buttons of maximised windows.
bool inTheCorner(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    return workArea().contains(frame) && workArea().right() - frame.right() < 20 &&
           workArea().bottom() - frame.bottom() < 20;
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

    sim::SimDefaultsStore store;
    QtMenu menu;
    StatusWindow window{store, StatusWindow::Placement::Self};
};

TEST_F(StatusWindowTest, ShowsIconThenTitleOnTopInTheWorkAreasBottomRightCorner) {
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(inTheCorner(window));

    const QImage shot = window.grab().toImage();
    EXPECT_TRUE(anyPixel(shot, 0, IconEnd, green));
    EXPECT_FALSE(anyPixel(shot, IconEnd, shot.width(), green));
    EXPECT_TRUE(anyPixel(shot, IconEnd, shot.width(), light));
    EXPECT_FALSE(anyPixel(shot, 0, shot.width(), red));

    // A pending reminder's red title; the width holds still as the title changes.
    const int width = window.width();
    window.setTitle("+5", TitleFont, TitleColor::Red);
    EXPECT_TRUE(anyPixel(window.grab().toImage(), IconEnd, width, red));
    window.setTitle("9", TitleFont, TitleColor::Default);
    EXPECT_EQ(window.width(), width);
}

TEST_F(StatusWindowTest, AClickOpensTheMenuAndADragMovesTheWindow) {
    mouse(window, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    mouse(window, QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
    EXPECT_TRUE(menu.menu()->isVisible());
    menu.menu()->hide();

    const QPoint start = window.pos();
    drag(window, {-40, -30});
    EXPECT_EQ(window.pos(), start + QPoint(-40, -30));
    EXPECT_FALSE(menu.menu()->isVisible());

    // The next run puts it back there; dragged off the screen, it stays on the screen.
    const QPoint chosen = window.pos();
    EXPECT_EQ(StatusWindow(store, StatusWindow::Placement::Self).pos(), chosen);
    drag(window, {400, 4000});
    EXPECT_TRUE(workArea().contains(window.frameGeometry()));
}

TEST_F(StatusWindowTest, AStoredPlaceOffEveryScreenOrUnreadableStillLandsOnScreen) {
    for (const char* stored : {"-3000,9000", "12345,40"}) {
        store.setString(StatusWindow::PositionKey, stored);
        StatusWindow restored(store, StatusWindow::Placement::Self);
        EXPECT_TRUE(workArea().contains(restored.frameGeometry())) << stored;
    }
    for (const char* stored : {"", "garbage", "10,", "1,2,3"}) {
        store.setString(StatusWindow::PositionKey, stored);
        EXPECT_TRUE(inTheCorner(StatusWindow(store, StatusWindow::Placement::Self))) << stored;
    }
}

TEST_F(StatusWindowTest, TheKeyboardOpensTheMenuAndMovesTheWindow) {
    EXPECT_EQ(window.focusPolicy(), Qt::StrongFocus);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&window, &event);
    };
    press(Qt::Key_Return);
    EXPECT_TRUE(menu.menu()->isVisible());
    menu.menu()->hide();

    const QPoint start = window.pos();
    press(Qt::Key_Left);
    press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(window.pos(), start + QPoint(-StatusWindow::KeyStep, -1));
    EXPECT_EQ(StatusWindow(store, StatusWindow::Placement::Self).pos(), window.pos());
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
