// The Qt run loop's timers, its modal rule and its wake-ups; the status menu; and the item where
// no status area is: the tray icon, replaced only when its picture changes, and the status window
// of a desktop without a tray (how it answers, where it goes). On real Qt objects.
#include "PrivateBus.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/qt/QtStatusItem.h"
#include "platform/qt/StatusIconPainter.h"
#include "platform/qt/StatusWindow.h"
#include "platform/sim/SimServices.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace quillmere::qt {
namespace {

using namespace std::chrono_literals;
using testing::waitUntil;
using Strings = std::vector<std::string>;

TEST(QtRunLoopTest, TimersFireInOrderAndModalRunsHoldThemUntilAfter) {
    QtRunLoop loop;
    Strings fired;
    bool firedInsideModal = false;
    const auto record = [&](Timer& timer) {
        fired.push_back(timer.name());
        firedInsideModal = firedInsideModal || loop.inModalRun();
    };
    loop.scheduleTimer(0.02, false, "late", {}, record);
    loop.scheduleTimer(0.005, false, "early", {}, record);
    loop.scheduleTimer(0.001, false, "cancelled", {}, record)->invalidate();
    loop.scheduleTimer(std::nan(""), false, "nan", {}, record); // as soon as it can
    const auto farAway = loop.scheduleTimer(1e300, false, "far", {}, record);
    ASSERT_TRUE(waitUntil([&] { return fired.size() == 3; }));
    EXPECT_EQ(fired, (Strings{"nan", "early", "late"}));
    EXPECT_TRUE(farAway->isValid());

    fired.clear();
    loop.scheduleTimer(0.005, true, "update", {}, record);
    loop.scheduleTimer(0.01, false, "deadline", {}, record);
    {
        // A nested loop, as a dialog's exec runs it, well past both deadlines.
        QtRunLoop::ModalScope modal(loop);
        QEventLoop nested;
        QTimer::singleShot(50ms, &nested, &QEventLoop::quit);
        nested.exec();
    }
    EXPECT_TRUE(fired.empty()); // not inside the code that ran the modal loop either
    // Runs what leaving the modal run posted, then stops.
    QEventLoop settle;
    QTimer::singleShot(0, &settle, &QEventLoop::quit);
    settle.exec();
    EXPECT_EQ(fired, (Strings{"update", "deadline"})) << "each held timer fires once";
    EXPECT_FALSE(firedInsideModal);
}

// Items carry their actions and check marks; a hidden item ignores a late click.
TEST(QtMenuTest, ItemsCarryTheirActionsAndChecks) {
    QtMenu menu;
    MenuItem& mute = menu.addItem("Mute", "toggleMuteWithSender:", "",
                                  [&](MenuItem& sender) { sender.setState(!sender.state()); });
    QAction* muteAction = menu.menu()->actions().at(0);
    muteAction->trigger();
    EXPECT_TRUE(muteAction->isChecked());
    mute.setHidden(true);
    menu.items().at(0)->trigger();
    EXPECT_TRUE(mute.state());
}

// Two ticks of the once-a-second refresh: each one wake-up, each on a whole second of the
// monotonic clock, where Qt's coarse timers wake the program anyway.
TEST(QtRunLoopWakeupTest, ASecondTimerWakesOncePerTickOnTheWholeSecond) {
    QtRunLoop loop;
    std::vector<std::chrono::nanoseconds> ticks;
    QEventLoop events;
    loop.scheduleTimer(1.0, true, "update", {}, [&](Timer&) {
        ticks.push_back(std::chrono::steady_clock::now().time_since_epoch() % 1s);
        if (ticks.size() == 2) {
            events.quit();
        }
    });
    QTimer::singleShot(10000, &events, &QEventLoop::quit);
    events.exec();
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(loop.timerWakeups(), 2);
    for (const auto fraction : ticks) {
        // Late by scheduling only, or early by a coarse timer's slack.
        EXPECT_TRUE(fraction < 400ms || fraction > 950ms) << fraction.count() << " ns past";
    }
}

const Font TitleFont{true, 12, Font::Weight::Regular};

TEST(QtStatusItemTest, TheTrayIconIsReplacedOncePerVisibleChange) {
    // Two glyphs at most, whole minutes or hours: a count-up in seconds would redraw each second.
    EXPECT_EQ(StatusIconPainter::iconText("+>24h"), "24h");
    EXPECT_EQ(StatusIconPainter::iconText("+30"), "+");
    const auto logo =
        std::make_shared<QtImage>("Quillmere.png", QImage(8, 8, QImage::Format_ARGB32));
    const auto threads = [] {
        return QDir(QStringLiteral("/proc/self/task"))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
            .size();
    };
    const auto threadsBefore = threads();
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
    // Qt hands large fills to helper threads and sleeps until they are done: each picture would
    // wake the idle program again. Not even a large one starts them.
    StatusIconPainter().picture(
        StatusIconPainter::content(logo.get(), "25m", TitleColor::Default, 0.5), 128);
    EXPECT_EQ(threads(), threadsBefore);
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
    window.setImage(
        std::make_shared<QtImage>("Quillmere.png", QImage(128, 128, QImage::Format_ARGB32)));
    window.setImageSize(16, 26);
    window.setTitle("10m", TitleFont, TitleColor::Default);
    window.setMenu(menu);
    window.show();
    EXPECT_TRUE(onScreen(window, true));

    // Return opens the menu; a drag or the arrows move it, and the next run too.
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
    EXPECT_NE(ordinary.pos(), QPoint(100, 100));
}

} // namespace
} // namespace quillmere::qt
