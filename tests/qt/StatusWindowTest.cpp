// The status window of a desktop without a status area: what it shows and how it answers.
#include "platform/qt/StatusWindow.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"

#include <QApplication>
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

    QtMenu menu;
    StatusWindow window;
};

TEST_F(StatusWindowTest, ShowsIconThenTitleInTheTopRightCornerOnTop) {
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(window.frameGeometry()));
    EXPECT_LT(area.right() - window.frameGeometry().right(), 20);

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
    mouse(window, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    mouse(window, QEvent::MouseMove, {45, 35}, Qt::LeftButton);
    mouse(window, QEvent::MouseButtonRelease, {45, 35}, Qt::NoButton);
    EXPECT_EQ(window.pos(), start + QPoint(40, 30));
    EXPECT_FALSE(menu.menu()->isVisible());
}

} // namespace
} // namespace quillmere::qt
