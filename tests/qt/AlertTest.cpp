// The alert over QMessageBox: the reminder popup's answers and check box, Escape and close, and
// timers held while it is up.
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
#include <QElapsedTimer>
#include <QEventLoop>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

namespace quillmere::testing {
namespace {

using qt::QtAlert;
using qt::QtRunLoop;

QAbstractButton* buttonTitled(QMessageBox* box, const QString& title) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == title) {
            return button;
        }
    }
    ADD_FAILURE() << "no button " << title.toStdString();
    return box->buttons().front();
}

class QtAlertTest : public ::testing::Test {
protected:
    QtAlertTest() {
        events.subscribe(Events::CfgChangeSubscriber([this](const Cfg::Parameter& parameter) {
            if (parameter.kind() == Cfg::Parameter::Kind::PopupAlerts) {
                popupChanges.push_back(parameter.flag());
            }
        }));
    }

    // Shows the popup; `answer` acts on the message box as the user would.
    UXPopup::Result showPopup(std::function<void(QMessageBox*)> answer) {
        whenModal<QMessageBox>(std::move(answer));
        return popup.runModal();
    }

    QtRunLoop runLoop;
    ModalWatchdog watchdog{runLoop};
    Events events;
    BuildInfo buildInfo{"7", "2026-01-02", "1.0"};
    sim::SimDefaultsStore store;
    sim::SimApplication application;
    Cfg cfg{false, events, buildInfo, store};
    sim::SimTranslator english;
    UXPopup popup{cfg, application, std::make_unique<QtAlert>(runLoop), english};
    std::vector<bool> popupChanges;
};

TEST_F(QtAlertTest, PopupAnswersRestartAndSnoozeAsItsButtons) {
    EXPECT_EQ(showPopup([](QMessageBox* box) {
                  EXPECT_EQ(box->windowTitle(), "Quillmere Timer");
                  EXPECT_EQ(box->text(), "Quillmere Timer");
                  EXPECT_EQ(box->informativeText(), "Look around. Take a breath. Stretch.");
                  EXPECT_EQ(box->icon(), QMessageBox::NoIcon); // no application icon here
                  EXPECT_TRUE(box->iconPixmap().isNull());
                  EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
                  EXPECT_EQ(box->defaultButton(), buttonTitled(box, "Restart"));
                  ASSERT_NE(box->checkBox(), nullptr);
                  EXPECT_EQ(box->checkBox()->text(), "Disable popup notifications");
                  EXPECT_FALSE(box->checkBox()->isChecked());
                  buttonTitled(box, "Restart")->click();
              }),
              UXPopup::Result::Restart);
    EXPECT_EQ(showPopup([](QMessageBox* box) { buttonTitled(box, "Snooze")->click(); }),
              UXPopup::Result::Snooze);
    EXPECT_EQ(application.activations(), 2);
    EXPECT_TRUE(popupChanges.empty());
    EXPECT_TRUE(cfg.popups());

    // The application's icon, once it has one, not a generic picture.
    QImage logo(64, 64, QImage::Format_ARGB32);
    logo.fill(Qt::darkCyan);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(logo)));
    showPopup([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->iconPixmap().toImage().pixelColor(8, 8), QColor(Qt::darkCyan));
        buttonTitled(box, "Restart")->click();
    });
    QApplication::setWindowIcon(QIcon());
}

TEST_F(QtAlertTest, TickedBoxSwitchesPopupsOffAndStaysTickedAtTheNextShowing) {
    EXPECT_EQ(showPopup([](QMessageBox* box) {
                  box->checkBox()->click();
                  buttonTitled(box, "Snooze")->click();
              }),
              UXPopup::Result::Snooze);
    EXPECT_EQ(popupChanges, std::vector<bool>{false});
    EXPECT_FALSE(store.boolValue(Cfg::PopupAlertsKey));

    cfg.set(Cfg::Parameter::popupAlerts(true), true); // on again from the menu
    bool tickedAtShowing = false;
    EXPECT_EQ(showPopup([&](QMessageBox* box) {
                  tickedAtShowing = box->checkBox()->isChecked();
                  buttonTitled(box, "Restart")->click();
              }),
              UXPopup::Result::Restart);
    EXPECT_TRUE(tickedAtShowing);
    EXPECT_FALSE(store.boolValue(Cfg::PopupAlertsKey));

    // Unticked, it leaves pop-ups alone.
    cfg.set(Cfg::Parameter::popupAlerts(true), true);
    showPopup([](QMessageBox* box) {
        box->checkBox()->click();
        buttonTitled(box, "Restart")->click();
    });
    EXPECT_TRUE(store.boolValue(Cfg::PopupAlertsKey));
}

TEST_F(QtAlertTest, EscapeAndClosingAnswerNoButton) {
    QtAlert alert(runLoop);
    alert.setMessageText("Oops");
    alert.addButton("One");
    alert.addButton("Two");
    whenModal<QMessageBox>([](QMessageBox* box) { buttonTitled(box, "Two")->click(); });
    EXPECT_EQ(alert.runModal(), 1001);
    whenModal<QMessageBox>([](QMessageBox* box) { sendKey(box, Qt::Key_Escape); });
    EXPECT_EQ(alert.runModal(), 0);
    whenModal<QMessageBox>([](QMessageBox* box) { box->close(); });
    EXPECT_EQ(alert.runModal(), 0);

    QtAlert plain(runLoop);
    whenModal<QMessageBox>([](QMessageBox* box) {
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->buttons().front()->text(), "OK");
        EXPECT_EQ(box->defaultButton(), box->buttons().front());
        EXPECT_EQ(box->checkBox(), nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->defaultButton()->click();
    });
    EXPECT_EQ(plain.runModal(), 1000);
}

TEST_F(QtAlertTest, TimerDueWhileTheAlertIsUpFiresOnceAfterIt) {
    int fired = 0;
    const auto timer =
        runLoop.scheduleTimer(0.01, false, "timeExpiredWithFired:", {}, [&](Timer&) { ++fired; });
    QtAlert alert(runLoop);
    whenModal<QMessageBox>([&](QMessageBox* box) {
        // Answer well after the timer came due, from the alert's own loop.
        QTimer::singleShot(60, box, [box] { box->buttons().front()->click(); });
    });
    alert.runModal();
    EXPECT_EQ(fired, 0);

    QElapsedTimer waited;
    waited.start();
    while (fired == 0 && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 30);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer->isValid());
}

} // namespace
} // namespace quillmere::testing
