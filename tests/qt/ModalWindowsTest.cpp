// The program's modal windows on real widgets. The alert over QMessageBox: the reminder popup's
// answers, logo and check box, Escape and close, and timers held while it is up; keys and clicks
// meant for another window, on a clock the test moves; the user's language and Qt's own for its
// standard buttons. The panel that renders the Settings and About views.
#include "ModalDriver.h"
#include "PrivateBus.h"

#include "core/AppIcon.h"
#include "core/BuildInfo.h"
#include "core/Cfg.h"
#include "core/Events.h"
#include "core/UXAbout.h"
#include "core/UXAudio.h"
#include "core/UXPopup.h"
#include "core/UXSettings.h"
#include "platform/qt/QtAlert.h"
#include "platform/qt/QtPanel.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/qt/QtTranslator.h"
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimTranslator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

namespace quillmere::testing {
namespace {

using qt::QtAlert;
using qt::QtPanel;
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

class StrayInputGuardTest : public QtAlertTest {
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

// The simulated desktop with Qt's run loop, alert and panel.
class PanelPlatform : public sim::SimPlatform {
public:
    explicit PanelPlatform(const QString& folder)
        : SimPlatform(folder.toStdString()) {
        files().writeFile(std::string("Whistle.") + UXAudio::SoundExtension, "pcm");
        loop.setPanelPresenter(
            [](Panel& panel) { static_cast<QtPanel&>(panel).showForModalRun(); });
    }
    Clock& clock() override { return loop; }
    RunLoop& runLoop() override { return loop; }
    std::unique_ptr<Alert> createAlert() override { return std::make_unique<qt::QtAlert>(loop); }
    std::unique_ptr<Panel> createPanel() override {
        panels.push_back(new QtPanel(loop));
        return std::unique_ptr<Panel>(panels.back());
    }

    qt::QtRunLoop loop;
    std::vector<QtPanel*> panels;
};

// The visible widget of type W showing `text` (a label, or a button).
template <typename W = QLabel> W* titled(QWidget* panel, const QString& text) {
    for (W* widget : panel->findChildren<W*>()) {
        if (widget->text() == text && widget->isVisible()) { // not one replaced, awaiting deletion
            return widget;
        }
    }
    ADD_FAILURE() << "nothing shows " << text.toStdString();
    return nullptr;
}

// The control of type W in the form row labelled `label`.
template <typename W> W* inRow(QWidget* panel, const QString& label) {
    return titled(panel, label)->parentWidget()->parentWidget()->findChild<W*>();
}

class PanelTest : public ::testing::Test {
protected:
    PanelTest() {
        events.subscribe(Events::CfgChangeSubscriber([this](const Cfg::Parameter& parameter) {
            saves += parameter.kind() == Cfg::Parameter::Kind::AlertSound ? 1 : 0;
        }));
    }

    QTemporaryDir folder;
    PanelPlatform platform{folder.path()};
    ModalWatchdog watchdog{platform.loop};
    Events events;
    BuildInfo buildInfo{"42", "2026-01-02", "1.2.3"};
    Cfg cfg{false, events, buildInfo, platform.store()};
    AppIcon icon{platform.resources()};
    UXAudio audio{cfg, platform.audio(), platform.resources()};
    int saves = 0; // presses of OK (or Return), counted by the first setting each one stores
    int completions = 0;
};

TEST_F(PanelTest, SettingsEditInPlaceRefuseABadIntervalAndSaveOnceOnOKOrReturn) {
    UXSettings settings(cfg, audio, icon, platform);
    whenModal<QtPanel>([&](QtPanel* panel) {
        auto* interval = inRow<QLineEdit>(panel, "Interval in minutes");
        EXPECT_EQ(panel->focusWidget(), interval);

        typeText(interval, "-"); // unreadable: kept as typed, the value unchanged
        inRow<QCheckBox>(panel, "Restart after sleep")->click();
        EXPECT_EQ(interval->text(), "-");
        EXPECT_EQ(settings.view().timerIntervalMinutes(), 10);
        EXPECT_FALSE(settings.view().restartOnWake());
        typeText(interval, "5x");
        sendKey(inRow<QComboBox>(panel, "Reminder sound"), Qt::Key_Down);
        EXPECT_EQ(platform.speaker().played(), std::vector<std::string>{"Whistle"}); // a preview
        // Updated in place: the same field, still focused, the cursor where it was.
        EXPECT_EQ(inRow<QLineEdit>(panel, "Interval in minutes"), interval);
        EXPECT_EQ(panel->focusWidget(), interval);
        EXPECT_EQ(interval->cursorPosition(), 2);

        sendKey(panel, Qt::Key_Escape); // no cancel
        bool warned = false;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            warned = box->informativeText() == "Invalid interval" && panel->isVisible();
            box->defaultButton()->click();
        });
        titled<QPushButton>(panel, "OK")->click(); // refused, but the sound and flags are saved
        EXPECT_TRUE(warned);
        EXPECT_TRUE(panel->isVisible());
        sendKey(interval, Qt::Key_A, {}, Qt::ControlModifier); // selects all
        typeText(interval, "120");
        sendKey(interval, Qt::Key_Return);
    });
    settings.runModal([&] { ++completions; });
    EXPECT_EQ(saves, 2);
    EXPECT_DOUBLE_EQ(platform.store().doubleValue(Cfg::TimerIntervalKey), 7200);
    EXPECT_EQ(platform.store().stringValue(Cfg::AlertSoundKey), "Whistle");
    EXPECT_FALSE(platform.panels.front()->isVisible());

    // A panel hidden during its run still ends it on close.
    whenModal<QtPanel>([](QtPanel* panel) {
        panel->hide();
        static_cast<Panel*>(panel)->close();
    });
    settings.runModal([&] { ++completions; });
    EXPECT_EQ(completions, 2);
    EXPECT_FALSE(platform.loop.inModalRun());
}

TEST_F(PanelTest, LargerTextWidensTheSettingsColumnsInsteadOfCuttingTheLabels) {
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSizeF(usual.pointSizeF() * 2);
    QApplication::setFont(large);
    UXSettings settings(cfg, audio, icon, platform);
    whenModal<QtPanel>([&](QtPanel* panel) {
        for (const char* text : {"Interval in minutes", "Restart after sleep", "Reminder sound"}) {
            EXPECT_GE(titled(panel, text)->width(), titled(panel, text)->sizeHint().width())
                << text;
        }
        auto* interval = inRow<QLineEdit>(panel, "Interval in minutes");
        EXPECT_GT(interval->width(), interval->fontMetrics().horizontalAdvance("120"));
        titled<QPushButton>(panel, "OK")->click();
    });
    settings.runModal([] {});
    QApplication::setFont(usual);
}

// Receives the links the panel hands to the desktop.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

TEST_F(PanelTest, AboutOpensLinksInTheBrowserOnEveryRun) {
    UXAbout about(cfg, buildInfo, icon, platform);
    LinkCatcher links;
    QDesktopServices::setUrlHandler("https", &links, "open");
    for (int run = 0; run < 2; ++run) {
        whenModal<QtPanel>([&](QtPanel* panel) {
            for (QLabel* label : panel->findChildren<QLabel*>()) {
                if (label->text().contains("href=\"https://quillmere.org/license.txt\"")) {
                    emit label->linkActivated("https://quillmere.org/license.txt");
                }
            }
            sendKey(panel, Qt::Key_Return); // presses OK
        });
        about.runModal([&] { ++completions; });
    }
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(links.opened.size(), 2u);
}

// A view whose shape changes with its state; each rendering's closures know their rendering.
class CounterView : public HostedView {
public:
    ViewNode body() override {
        const int rendering = ++renderings;
        std::vector<ViewNode> children{ViewNode::button("Add", [this, rendering] {
            pressedFrom.push_back(rendering);
            ++count;
        })};
        if (count > 0) {
            children.push_back(ViewNode::label("Count: " + std::to_string(count)));
        }
        return ViewNode::vstack(ViewNode::Alignment::Center, std::move(children));
    }
    int count = 0;
    int renderings = 0;
    std::vector<int> pressedFrom;
};

TEST(QtPanelRendering, RebuildsOnlyWhenTheShapeChangesAndRunsTheNewestClosures) {
    qt::QtRunLoop runLoop;
    QtPanel panel(runLoop);
    CounterView view;
    panel.setContentView(view);
    const qt::QtRunLoop::ModalScope modalRun(runLoop); // the panel renders only in one
    panel.showForModalRun();
    QPushButton* add = titled<QPushButton>(&panel, "Add");
    add->click(); // a label appears: rebuilt
    EXPECT_NE(titled<QPushButton>(&panel, "Add"), add);
    titled<QPushButton>(&panel, "Add")->click(); // only its text changes: in place
    QLabel* count = titled(&panel, "Count: 2");
    titled<QPushButton>(&panel, "Add")->click();
    EXPECT_EQ(titled(&panel, "Count: 3"), count);
    EXPECT_EQ(view.pressedFrom, (std::vector<int>{1, 2, 3}));
}

} // namespace
} // namespace quillmere::testing

#include "ModalWindowsTest.moc"
