// The alert over QMessageBox: the reminder popup's answers, logo and check box, Escape and close,
// and timers held while it is up; keys and clicks meant for another window, on a clock the test
// moves; the user's language and Qt's own for its standard buttons.
#include "ModalDriver.h"
#include "PrivateBus.h"

#include "core/BuildInfo.h"
#include "core/Cfg.h"
#include "core/Events.h"
#include "core/UXPopup.h"
#include "platform/qt/QtAlert.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/qt/QtTranslator.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimTranslator.h"

#include <QCheckBox>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace quillmere::testing {
namespace {

using qt::QtAlert;
using qt::QtTranslator;

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

const QStringList BuiltCatalogues{QStringLiteral(QUILLMERE_TEST_TRANSLATIONS)};

TEST_F(QtAlertTest, TakesTheShippedLanguageOrItsParentNeverASiblingAndQtsOwnButtonsFollow) {
    const QtTranslator austrian(QLocale(QStringLiteral("de_AT")), BuiltCatalogues);
    EXPECT_EQ(austrian.translate("UXMenu", "Quit"), "Beenden");
    EXPECT_EQ(austrian.translate("UXMenu", "not one of ours"), "not one of ours");
    EXPECT_EQ(
        QtTranslator(QLocale(QStringLiteral("pt_BR")), BuiltCatalogues).translate("UXMenu", "Quit"),
        "Sair");
    // Traditional Chinese must not read Simplified, nor Portugal's Portuguese Brazil's.
    for (const char* name : {"zh_TW", "pt_PT", "en_GB", "C"}) {
        const QtTranslator other(QLocale(QString::fromLatin1(name)), BuiltCatalogues);
        EXPECT_TRUE(other.language().isEmpty()) << name;
        EXPECT_EQ(other.translate("UXMenu", "Quit"), "Quit") << name;
    }
    // Qt's own buttons follow once a language is installed.
    QtTranslator chinese(QLocale(QStringLiteral("zh_CN")), BuiltCatalogues);
    chinese.install();
    qt::QtAlert alert(runLoop);
    alert.setInformativeText(chinese.translate("SettingsView", "Invalid interval"));
    whenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->informativeText(), QStringLiteral("间隔无效"));
        EXPECT_EQ(box->buttons().front()->text(), QStringLiteral("确定"));
        box->buttons().front()->click();
    });
    EXPECT_EQ(alert.runModal(), Alert::FirstButtonReturn);
}

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
