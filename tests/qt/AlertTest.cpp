// The alert over QMessageBox: the reminder popup's answers, logo and check box, Escape and close,
// and timers held while it is up.
#include "ModalDriver.h"
#include "PrivateBus.h"

#include "core/BuildInfo.h"
#include "core/Cfg.h"
#include "core/Events.h"
#include "core/UXPopup.h"
#include "platform/qt/QtAlert.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimTranslator.h"

#include <QCheckBox>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>

namespace quillmere::testing {
namespace {

using qt::QtAlert;

class QtAlertTest : public ::testing::Test {
protected:
    // Shows the popup; `answer` acts on the message box as the user would.
    UXPopup::Result showPopup(std::function<void(QMessageBox*)> answer) {
        whenModal<QMessageBox>(std::move(answer));
        return popup.runModal();
    }

    qt::QtRunLoop runLoop;
    ModalWatchdog watchdog{runLoop};
    Events events;
    BuildInfo buildInfo{"7", "2026-01-02", "1.0"};
    sim::SimDefaultsStore store;
    sim::SimApplication application;
    Cfg cfg{false, events, buildInfo, store};
    sim::SimTranslator english;
    UXPopup popup{cfg, application, std::make_unique<QtAlert>(runLoop), english};
};

TEST_F(QtAlertTest, PopupShowsTheLogoAndAnswersAsItsButtonsAndCheckBox) {
    QImage logo(64, 64, QImage::Format_ARGB32);
    logo.fill(Qt::darkCyan);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(logo)));
    EXPECT_EQ(showPopup([](QMessageBox* box) {
                  EXPECT_EQ(box->iconPixmap().toImage().pixelColor(8, 8), QColor(Qt::darkCyan));
                  EXPECT_EQ(box->defaultButton(), buttonTitled(box, "Restart"));
                  EXPECT_FALSE(box->checkBox()->isChecked());
                  buttonTitled(box, "Restart")->click();
              }),
              UXPopup::Result::Restart);
    QApplication::setWindowIcon(QIcon());
    EXPECT_TRUE(cfg.popups());

    // Ticked, it switches pop-ups off, and shows ticked the next time they are on.
    EXPECT_EQ(showPopup([](QMessageBox* box) {
                  box->checkBox()->click();
                  buttonTitled(box, "Snooze")->click();
              }),
              UXPopup::Result::Snooze);
    EXPECT_FALSE(store.boolValue(Cfg::PopupAlertsKey));
    cfg.set(Cfg::Parameter::popupAlerts(true), true); // on again from the menu
    showPopup([](QMessageBox* box) {
        EXPECT_TRUE(box->checkBox()->isChecked());
        buttonTitled(box, "Restart")->click();
    });
    EXPECT_EQ(application.activations(), 3); // brought to the front each time
}

TEST_F(QtAlertTest, EscapeAndClosingAnswerNoButtonAndTimersWaitUntilTheAlertIsGone) {
    int fired = 0;
    runLoop.scheduleTimer(0, false, "timeExpiredWithFired:", {}, [&](Timer&) { ++fired; });
    QtAlert alert(runLoop);
    alert.addButton("One");
    alert.addButton("Two");
    whenModal<QMessageBox>([&](QMessageBox* box) {
        QCoreApplication::processEvents(); // the timer is due
        EXPECT_EQ(fired, 0);
        buttonTitled(box, "Two")->click();
    });
    EXPECT_EQ(alert.runModal(), Alert::FirstButtonReturn + 1);
    EXPECT_TRUE(waitUntil([&] { return fired == 1; }));
    whenModal<QMessageBox>([](QMessageBox* box) { sendKey(box, Qt::Key_Escape); });
    EXPECT_EQ(alert.runModal(), 0);
    whenModal<QMessageBox>([](QMessageBox* box) { box->close(); });
    EXPECT_EQ(alert.runModal(), 0);
}

} // namespace
} // namespace quillmere::testing
