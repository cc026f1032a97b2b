// Keys and clicks meant for another window do not answer the reminder: input from the window
// system, on a clock the test moves. An alert over one of our own windows takes them at once.
#include "ModalDriver.h"

#include "core/BuildInfo.h"
#include "core/Cfg.h"
#include "core/Events.h"
#include "core/UXPopup.h"
#include "platform/qt/QtAlert.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimTranslator.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

namespace quillmere::testing {
namespace {

using qt::QtAlert;
using qt::QtRunLoop;

class StrayInputGuardTest : public ::testing::Test {
protected:
    UXPopup::Result showPopup(std::function<void(QMessageBox*)> act) {
        whenModal<QMessageBox>(std::move(act));
        return popup.runModal();
    }
    void advance(int ms) { now += std::chrono::milliseconds(ms); }
    qt::SteadyClock clock() {
        return [this] { return now; };
    }

    std::chrono::steady_clock::time_point now;
    QtRunLoop runLoop;
    ModalWatchdog watchdog{runLoop};
    Events events;
    BuildInfo buildInfo{"7", "2026-01-02", "1.0"};
    sim::SimDefaultsStore store;
    sim::SimApplication application;
    Cfg cfg{false, events, buildInfo, store};
    sim::SimTranslator english;
    UXPopup popup{cfg, application, std::make_unique<QtAlert>(runLoop, clock()), english};
};

QAbstractButton* button(QMessageBox* box, const QString& title) {
    for (QAbstractButton* candidate : box->buttons()) {
        if (candidate->text() == title) {
            return candidate;
        }
    }
    return nullptr;
}

TEST_F(StrayInputGuardTest, KeysAnswerTheReminderOnlyAfterASecondAndAPause) {
    EXPECT_EQ(showPopup([this](QMessageBox* box) {
                  QWindow* window = box->windowHandle();
                  QTest::keyClick(window, Qt::Key_Return); // typed elsewhere as it came up
                  advance(600);
                  QTest::keyClick(window, Qt::Key_Escape);
                  // Typing on past the first second, each key soon after the one before.
                  for (int i = 0; i < 4; ++i) {
                      advance(400);
                      QTest::keyClick(window, Qt::Key_Space);
                  }
                  // A held key's repeats, however late.
                  advance(2000);
                  qt_handleKeyEvent(window, QEvent::KeyPress, Qt::Key_Return, {}, {}, true);
                  EXPECT_TRUE(box->isVisible());
                  EXPECT_FALSE(box->checkBox()->isChecked());

                  advance(600);
                  QTest::keyClick(window, Qt::Key_Return);
                  EXPECT_FALSE(box->isVisible());
              }),
              UXPopup::Result::Restart);
}

TEST_F(StrayInputGuardTest, ClicksAnswerTheReminderOnceItHasBeenUpForHalfASecond) {
    EXPECT_EQ(showPopup([this](QMessageBox* box) {
                  const auto click = [box](QWidget* target) {
                      QTest::mouseClick(box->windowHandle(), Qt::LeftButton, {},
                                        target->mapTo(box, target->rect().center()));
                  };
                  advance(400);
                  click(box->checkBox());
                  click(button(box, "Restart"));
                  EXPECT_TRUE(box->isVisible());
                  EXPECT_FALSE(box->checkBox()->isChecked());

                  advance(100);
                  click(box->checkBox());
                  EXPECT_TRUE(box->checkBox()->isChecked());
                  click(button(box, "Snooze"));
              }),
              UXPopup::Result::Snooze);
    EXPECT_FALSE(cfg.popups());
}

TEST_F(StrayInputGuardTest, AMnemonicWaitsLikeAnyKey) {
    QtAlert alert(runLoop, clock());
    alert.addButton("&Later");
    alert.addButton("&Now");
    whenModal<QMessageBox>([this](QMessageBox* box) {
        // A mnemonic acts only in the active window.
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        QTest::keyClick(box->windowHandle(), Qt::Key_N, Qt::AltModifier);
        // A mnemonic presses its button at once and answers a moment later.
        EXPECT_FALSE(button(box, "&Now")->isDown());
        advance(1000);
        QTest::keyClick(box->windowHandle(), Qt::Key_N, Qt::AltModifier);
    });
    EXPECT_EQ(alert.runModal(), Alert::FirstButtonReturn + 1);
}

TEST_F(StrayInputGuardTest, AnAlertOverOneOfOurWindowsTakesKeysAtOnce) {
    QtAlert alert(runLoop, clock());
    alert.setMessageText("Oops");
    const QtRunLoop::ModalScope settingsWindow(runLoop);
    whenModal<QMessageBox>(
        [](QMessageBox* box) { QTest::keyClick(box->windowHandle(), Qt::Key_Return); });
    EXPECT_EQ(alert.runModal(), Alert::FirstButtonReturn);
}

} // namespace
} // namespace quillmere::testing
