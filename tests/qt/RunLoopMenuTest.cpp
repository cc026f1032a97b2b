// The Qt run loop's timers and modal rule, and the status menu, on real Qt objects.
#include "PrivateBus.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtRunLoop.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

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

// Key equivalents act only while the menu is open; a hidden item ignores a late click.
TEST(QtMenuTest, ItemsCarryTheirActionsChecksAndKeyEquivalents) {
    QtMenu menu;
    Strings chosen;
    menu.addItem("Quit", "terminateAction:", "q",
                 [&](MenuItem& sender) { chosen.push_back(sender.title()); });
    menu.addSeparator();
    MenuItem& mute = menu.addItem("Mute", "toggleMuteWithSender:", "",
                                  [&](MenuItem& sender) { sender.setState(!sender.state()); });

    QAction* muteAction = menu.menu()->actions().at(2);
    muteAction->trigger();
    EXPECT_TRUE(muteAction->isChecked());
    mute.setHidden(true);
    menu.items().at(2)->trigger();
    EXPECT_TRUE(mute.state());

    QKeyEvent ctrlQ(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
    QKeyEvent plainQ(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier);
    menu.menu()->popup(QPoint(0, 0));
    QCoreApplication::sendEvent(menu.menu(), &ctrlQ);
    EXPECT_TRUE(waitUntil([&] { return !chosen.empty(); }));
    EXPECT_FALSE(menu.menu()->isVisible());
    menu.menu()->popup(QPoint(0, 0));
    QCoreApplication::sendEvent(menu.menu(), &plainQ);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(chosen, Strings{"Quit"});
}

} // namespace
} // namespace quillmere::qt
