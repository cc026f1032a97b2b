// The Qt run loop's timers and modal rule, the status menu and the tray item, on real Qt objects.
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/qt/QtStatusItem.h"
#include "platform/qt/linux/LinuxWakeNotifier.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace quillmere::qt {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

// Runs the event loop for a short real time (real timers need it), then returns.
void pump(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(QtRunLoopTest, TimersFireInOrderAndOneShotsOnce) {
    QtRunLoop loop;
    Strings fired;
    const auto record = [&](Timer& timer) { fired.push_back(timer.name()); };
    loop.scheduleTimer(0.02, false, "late", {}, record);
    loop.scheduleTimer(0.005, false, "early", {}, record);
    const auto cancelled = loop.scheduleTimer(0.001, false, "cancelled", {}, record);
    cancelled->invalidate();
    const auto farAway = loop.scheduleTimer(1e300, false, "far", {}, record);
    pump(60ms);
    EXPECT_EQ(fired, (Strings{"early", "late"}));
    EXPECT_TRUE(farAway->isValid());
}

TEST(QtRunLoopTest, ModalRunHoldsTimersAndFiresEachOnceAfter) {
    QtRunLoop loop;
    Strings fired;
    bool firedInsideModal = false;
    const auto record = [&](Timer& timer) {
        fired.push_back(timer.name());
        firedInsideModal = firedInsideModal || loop.inModalRun();
    };
    loop.scheduleTimer(0.005, true, "update", {}, record);
    loop.scheduleTimer(0.01, false, "timeExpiredWithFired:", {}, record);
    {
        // A nested loop, as a dialog's exec runs it, well past both deadlines.
        QtRunLoop::ModalScope modal(loop);
        pump(60ms);
        EXPECT_TRUE(fired.empty());
    }
    EXPECT_TRUE(fired.empty()); // not inside the code that ran the modal loop either
    QEventLoop settle;
    QTimer::singleShot(0, &settle, &QEventLoop::quit);
    settle.exec();
    EXPECT_EQ(fired, (Strings{"update", "timeExpiredWithFired:"}));
    EXPECT_FALSE(firedInsideModal);
}

TEST(QtMenuTest, ItemsCarryTheirActionsChecksAndShortcuts) {
    QtMenu menu;
    Strings chosen;
    MenuItem& restart = menu.addItem("Restart timer", "restartAction:", "r",
                                     [&](MenuItem& sender) { chosen.push_back(sender.title()); });
    menu.addSeparator();
    MenuItem& mute = menu.addItem("Mute", "toggleMuteWithSender:", "",
                                  [&](MenuItem& sender) { sender.setState(!sender.state()); });
    int changes = 0;
    menu.setChangedCallback([&] { ++changes; });

    ASSERT_EQ(menu.menu()->actions().size(), 3);
    EXPECT_TRUE(menu.menu()->actions().at(1)->isSeparator());
    QAction* restartAction = menu.menu()->actions().at(0);
    EXPECT_EQ(restartAction->shortcut().toString(), "Ctrl+R");
    EXPECT_EQ(restartAction->shortcutContext(), Qt::WidgetWithChildrenShortcut);
    restartAction->trigger();
    EXPECT_EQ(chosen, Strings{"Restart timer"});
    EXPECT_EQ(&restart, menu.itemWithTitle("Restart timer"));

    menu.menu()->actions().at(2)->trigger();
    EXPECT_TRUE(mute.state());
    EXPECT_TRUE(menu.menu()->actions().at(2)->isChecked());
    EXPECT_GE(changes, 1);
    EXPECT_EQ(menu.itemWithTitle("Nothing"), nullptr);
}

TEST(LinuxWakeNotifierTest, WithoutASystemBusTheClocksTellAWakeOnce) {
    std::chrono::nanoseconds slept{0};
    LinuxWakeNotifier notifier(QDBusConnection(QStringLiteral("none")), [&] { return slept; });
    EXPECT_FALSE(notifier.usesLogind());
    int wakes = 0;
    notifier.addWakeObserver("didWakeFromSleep", [&] { ++wakes; });
    slept += 1s; // the clocks drift apart a little without any sleep
    EXPECT_FALSE(notifier.checkClocks());
    slept += 40s; // a suspend of 40 seconds
    EXPECT_TRUE(notifier.checkClocks());
    EXPECT_FALSE(notifier.checkClocks()); // once per sleep
    EXPECT_EQ(wakes, 1);
    notifier.removeWakeObserver("didWakeFromSleep");
    slept += 40s;
    notifier.checkClocks();
    EXPECT_EQ(wakes, 1);
    // The real clocks: no sleep since this line began.
    EXPECT_FALSE(LinuxWakeNotifier(QDBusConnection(QStringLiteral("none"))).checkClocks());
}

} // namespace
} // namespace quillmere::qt

namespace quillmere::qt {
namespace {

TEST(QtMenuTest, KeyEquivalentWorksWhileTheMenuIsOpenOnly) {
    QtMenu menu;
    int quits = 0;
    menu.addItem("Quit", "terminateAction:", "q", [&](MenuItem&) { ++quits; });
    QKeyEvent ctrlQ(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
    menu.menu()->popup(QPoint(0, 0));
    QCoreApplication::sendEvent(menu.menu(), &ctrlQ);
    pump(10ms);
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(menu.menu()->isVisible());
    QKeyEvent plainQ(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier);
    QCoreApplication::sendEvent(menu.menu(), &plainQ);
    pump(10ms);
    EXPECT_EQ(quits, 1);
}

} // namespace
} // namespace quillmere::qt
