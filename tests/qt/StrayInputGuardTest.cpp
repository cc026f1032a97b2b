// Keys and clicks meant for another window do not answer a reminder: input from the window
// system, on a clock the test moves. An alert over one of our own windows takes them at once.
#include "ModalDriver.h"

#include "platform/qt/QtAlert.h"
#include "platform/qt/QtRunLoop.h"

#include <QCheckBox>
#include <QTest>
#include <QWindow>

namespace quillmere::testing {
namespace {

class StrayInputGuardTest : public ::testing::Test {
protected:
    // A reminder's alert: Restart, Snooze and a check box; `act` runs once it is in front.
    std::unique_ptr<qt::QtAlert> reminder(std::function<void(QMessageBox*)> act) {
        auto alert = std::make_unique<qt::QtAlert>(runLoop, [this] { return now; });
        alert->addButton("&Restart");
        alert->addButton("&Snooze");
        alert->setShowsSuppressionButton(true);
        whenModal<QMessageBox>(std::move(act));
        return alert;
    }
    void advance(int ms) { now += std::chrono::milliseconds(ms); }

    std::chrono::steady_clock::time_point now;
    qt::QtRunLoop runLoop;
    ModalWatchdog watchdog{runLoop};
};

TEST_F(StrayInputGuardTest, KeysActAfterASecondAndAPauseButNeverAsRepeats) {
    EXPECT_EQ(reminder([this](QMessageBox* box) {
                  QWindow* window = box->windowHandle();
                  QTest::keyClick(window, Qt::Key_Return); // typed elsewhere as it came up
                  advance(600);
                  QTest::keyClick(window, Qt::Key_Escape);
                  for (int i = 0; i < 4; ++i) { // typing on past the first second
                      advance(400);
                      QTest::keyClick(window, Qt::Key_Space);
                  }
                  advance(2000); // a held key's repeats, however late
                  qt_handleKeyEvent(window, QEvent::KeyPress, Qt::Key_Return, {}, {}, true);
                  EXPECT_TRUE(box->isVisible());
                  EXPECT_FALSE(box->checkBox()->isChecked());
                  advance(600);
                  QTest::keyClick(window, Qt::Key_Return);
              })->runModal(),
              Alert::FirstButtonReturn);
}

TEST_F(StrayInputGuardTest, ClicksActAfterHalfASecondAndMnemonicsLikeKeys) {
    auto alert = reminder([this](QMessageBox* box) {
        const auto click = [box](QWidget* target) {
            QTest::mouseClick(box->windowHandle(), Qt::LeftButton, {},
                              target->mapTo(box, target->rect().center()));
        };
        advance(400);
        click(box->checkBox());
        click(buttonTitled(box, "&Restart"));
        ASSERT_TRUE(QTest::qWaitForWindowActive(box)); // a mnemonic acts only there
        QTest::keyClick(box->windowHandle(), Qt::Key_S, Qt::AltModifier);
        EXPECT_TRUE(box->isVisible());
        EXPECT_FALSE(buttonTitled(box, "&Snooze")->isDown()) << "pressed, to answer a moment later";
        advance(100);
        click(box->checkBox());
        advance(1000);
        QTest::keyClick(box->windowHandle(), Qt::Key_S, Qt::AltModifier);
    });
    EXPECT_EQ(alert->runModal(), Alert::FirstButtonReturn + 1);
    EXPECT_TRUE(alert->suppressionButtonState()) << "ticked once, by the late click";
}

// An alert over one of our own windows takes them at once.
TEST_F(StrayInputGuardTest, OverOurOwnWindowKeysActAtOnce) {
    qt::QtAlert overSettings(runLoop, [this] { return now; });
    const qt::QtRunLoop::ModalScope settingsWindow(runLoop);
    whenModal<QMessageBox>(
        [](QMessageBox* box) { QTest::keyClick(box->windowHandle(), Qt::Key_Return); });
    EXPECT_EQ(overSettings.runModal(), Alert::FirstButtonReturn);
}

} // namespace
} // namespace quillmere::testing
