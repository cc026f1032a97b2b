// The panel that renders the Settings and About views, driven through its real widgets.
#include "ModalDriver.h"

#include "core/AppIcon.h"
#include "core/BuildInfo.h"
#include "core/Cfg.h"
#include "core/Events.h"
#include "core/UXAbout.h"
#include "core/UXAudio.h"
#include "core/UXSettings.h"
#include "platform/Platform.h"
#include "platform/qt/QtAlert.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtPanel.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/sim/SimAutostart.h"
#include "platform/sim/SimNotifications.h"
#include "platform/sim/SimPresence.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimTranslator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QUrl>
#include <QUuid>

#include <filesystem>
#include <set>

namespace quillmere::testing {
namespace {

using qt::QtPanel;
using qt::QtRunLoop;

// Resources in a temporary folder; the logo, when set, is a real decoded image.
class TestResources : public sim::SimResources {
public:
    TestResources()
        : SimResources(
              (QDir::tempPath() + "/quillmere-panel-" + QUuid::createUuid().toString(QUuid::Id128))
                  .toStdString()) {
        for (const char* sound : {"Sonar.wav", "Bowl.wav", "Whistle.wav"}) {
            writeFile(sound, "sound");
        }
    }
    ~TestResources() override { std::filesystem::remove_all(folder()); }
    std::shared_ptr<const Image> image(const std::string& name) override {
        if (logo.isNull() || name != AppIcon::ImageName) {
            return nullptr;
        }
        return std::make_shared<qt::QtImage>(name, logo);
    }
    QImage logo;
};

// The Qt run loop, alert and panel; simulated services for the rest.
class TestPlatform : public Platform {
public:
    TestPlatform() {
        runLoop_.setPanelPresenter(
            [](Panel& panel) { dynamic_cast<QtPanel&>(panel).showForModalRun(); });
    }
    Clock& clock() override { return runLoop_; }
    RunLoop& runLoop() override { return runLoop_; }
    Application& application() override { return application_; }
    Resources& resources() override { return resources_; }
    DefaultsStore& defaults() override { return store_; }
    Audio& audio() override { return audio_; }
    WakeNotifier& wakeNotifier() override { return wake_; }
    SystemLog& systemLog() override { return log_; }
    Presence& presence() override { return presence_; }
    BusyMonitor& busyMonitor() override { return busy_; }
    const Translator& translator() override { return translator_; }
    Autostart& autostart() override { return autostart_; }
    Notifications& notifications() override { return notifications_; }
    std::unique_ptr<StatusItem> createStatusItem(double) override { return nullptr; }
    std::unique_ptr<Menu> createMenu() override { return nullptr; }
    std::unique_ptr<Alert> createAlert() override {
        return std::make_unique<qt::QtAlert>(runLoop_);
    }
    std::unique_ptr<Panel> createPanel() override {
        auto panel = std::make_unique<QtPanel>(runLoop_);
        panels.push_back(panel.get());
        return panel;
    }

    QtRunLoop runLoop_;
    sim::SimApplication application_;
    TestResources resources_;
    sim::SimDefaultsStore store_;
    sim::SimAudio audio_;
    sim::SimWakeNotifier wake_;
    sim::SimSystemLog log_;
    sim::SimPresence presence_;
    sim::SimBusyMonitor busy_;
    sim::SimTranslator translator_;
    sim::SimAutostart autostart_;
    sim::SimNotifications notifications_;
    std::vector<QtPanel*> panels;
};

QLabel* labelTitled(QWidget* panel, const QString& text) {
    for (QLabel* label : panel->findChildren<QLabel*>()) {
        if (label->text() == text && label->isVisible()) { // not one replaced, awaiting deletion
            return label;
        }
    }
    ADD_FAILURE() << "no label " << text.toStdString();
    return nullptr;
}

// The control of type W in the form row labelled `label`.
template <typename W> W* inRow(QWidget* panel, const QString& label) {
    QLabel* title = labelTitled(panel, label);
    W* control =
        title != nullptr ? title->parentWidget()->parentWidget()->findChild<W*>() : nullptr;
    EXPECT_NE(control, nullptr) << label.toStdString();
    return control;
}

QPushButton* okButton(QWidget* panel) {
    for (QPushButton* button : panel->findChildren<QPushButton*>()) {
        if (button->text() == "OK" && button->isVisible()) {
            return button;
        }
    }
    ADD_FAILURE() << "no OK button";
    return nullptr;
}

bool isCentred(QWidget* panel) {
    return (panel->geometry().center() - panel->screen()->availableGeometry().center())
               .manhattanLength() <= 2;
}

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        events.subscribe(Events::CfgChangeSubscriber([this](const Cfg::Parameter& parameter) {
            saves += parameter.kind() == Cfg::Parameter::Kind::AlertSound ? 1 : 0;
        }));
    }

    TestPlatform platform;
    ModalWatchdog watchdog{platform.runLoop_};
    Events events;
    BuildInfo buildInfo{"42", "2026-01-02", "1.2.3"};
    Cfg cfg{false, events, buildInfo, platform.store_};
    AppIcon icon{platform.resources_};
    UXAudio audio{cfg, platform.audio_, platform.resources_};
    int saves = 0; // presses of OK (or Return), counted by the first setting each one stores
    int completions = 0;
};

using SettingsPanel = WindowTest;

TEST_F(SettingsPanel, ShowsTheStoredSettingsInTwoColumnsUnderTheLogo) {
    platform.resources_.logo = QImage(200, 100, QImage::Format_ARGB32);
    platform.resources_.logo.fill(Qt::darkCyan);
    UXSettings settings(cfg, audio, icon, platform);
    whenModal<QtPanel>([&](QtPanel* panel) {
        auto* interval = inRow<QLineEdit>(panel, "Interval in minutes");
        EXPECT_EQ(interval->text(), "10");
        EXPECT_EQ(interval->placeholderText(), "600");
        EXPECT_EQ(interval->width(), 30);
        EXPECT_EQ(panel->focusWidget(), interval);
        auto* sound = inRow<QComboBox>(panel, "Reminder sound");
        EXPECT_EQ(sound->currentText(), "System");
        EXPECT_EQ(sound->count(), 4);
        EXPECT_EQ(sound->width(), 100);
        auto* wake = inRow<QCheckBox>(panel, "Restart after sleep");
        EXPECT_TRUE(wake->isChecked() && wake->isEnabled() && wake->text().isEmpty());
        auto* autoRestart = inRow<QCheckBox>(panel, "Auto restart timer");
        EXPECT_TRUE(autoRestart->isChecked());
        EXPECT_FALSE(autoRestart->isEnabled()); // pop-ups are on
        // The label column is 140 wide at least, and as wide as its longest label in every row.
        const int column = labelTitled(panel, "Reminder sound")->parentWidget()->width();
        EXPECT_GE(column, 140);
        EXPECT_EQ(labelTitled(panel, "Show the time in the icon")->parentWidget()->width(), column);
        EXPECT_EQ(wake->parentWidget()->width(), 120); // 100, after 20 of padding
        EXPECT_EQ(wake->x(), 20);
        const QLabel* logo = labelTitled(panel, "Quillmere Timer")
                                 ->parentWidget()
                                 ->parentWidget()
                                 ->findChild<QLabel*>();
        EXPECT_EQ(logo->pixmap().deviceIndependentSize().toSize(), QSize(100, 50));
        EXPECT_EQ(platform.application_.activations(), 1); // brought to the front on appearing
        okButton(panel)->click();
    });
    settings.runModal([&] { ++completions; });
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(platform.panels.front()->isVisible());
    EXPECT_DOUBLE_EQ(platform.store_.doubleValue(Cfg::TimerIntervalKey), 600);
}

TEST_F(SettingsPanel, LargerTextWidensItsColumnsInsteadOfCuttingTheLabels) {
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSizeF(usual.pointSizeF() * 2);
    QApplication::setFont(large);
    UXSettings settings(cfg, audio, icon, platform);
    whenModal<QtPanel>([&](QtPanel* panel) {
        std::set<int> labelColumns;
        for (const char* text : {"Interval in minutes", "Restart after sleep", "Auto restart timer",
                                 "Reminder sound"}) {
            QLabel* label = labelTitled(panel, text);
            EXPECT_GE(label->width(), label->sizeHint().width()) << text;
            labelColumns.insert(label->parentWidget()->width());
        }
        EXPECT_EQ(labelColumns.size(), 1u); // still one column, its labels aligned
        auto* interval = inRow<QLineEdit>(panel, "Interval in minutes");
        EXPECT_GT(interval->width(), interval->fontMetrics().horizontalAdvance("120"));
        okButton(panel)->click();
    });
    settings.runModal([] {});
    QApplication::setFont(usual);
}

TEST_F(SettingsPanel, RefusedIntervalWarnsAndTheFormStaysOpenUntilAValidSave) {
    UXSettings settings(cfg, audio, icon, platform);
    whenModal<QtPanel>([&](QtPanel* panel) {
        auto* interval = inRow<QLineEdit>(panel, "Interval in minutes");
        typeText(interval, "121"); // over the selected "10"
        bool warned = false;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            warned = true;
            EXPECT_EQ(box->text(), "Oops");
            EXPECT_EQ(box->informativeText(), "Invalid interval");
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_EQ(box->buttons().size(), 1);
            EXPECT_TRUE(panel->isVisible());
            box->defaultButton()->click();
        });
        okButton(panel)->click();
        EXPECT_TRUE(warned);
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(interval->text(), "121");
        selectAll(interval);
        typeText(interval, "120");
        okButton(panel)->click();
    });
    settings.runModal([&] { ++completions; });
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(saves, 2);
    EXPECT_DOUBLE_EQ(platform.store_.doubleValue(Cfg::TimerIntervalKey), 7200);
}

TEST_F(SettingsPanel, ReturnSavesOnceFromTheFieldAndPressesOKElsewhere) {
    UXSettings settings(cfg, audio, icon, platform);
    whenModal<QtPanel>([](QtPanel* panel) {
        auto* interval = inRow<QLineEdit>(panel, "Interval in minutes");
        typeText(interval, "30");
        sendKey(interval, Qt::Key_Return);
    });
    settings.runModal([&] { ++completions; });
    EXPECT_EQ(saves, 1);
    EXPECT_DOUBLE_EQ(platform.store_.doubleValue(Cfg::TimerIntervalKey), 1800);

    whenModal<QtPanel>([](QtPanel* panel) {
        auto* interval = inRow<QLineEdit>(panel, "Interval in minutes");
        EXPECT_EQ(interval->text(), "30"); // the working copy, kept between openings
        EXPECT_EQ(interval->placeholderText(), "1800");
        typeText(interval, "45");
        sendKey(inRow<QCheckBox>(panel, "Restart after sleep"), Qt::Key_Return);
    });
    settings.runModal([&] { ++completions; });
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(completions, 2);
    EXPECT_DOUBLE_EQ(platform.store_.doubleValue(Cfg::TimerIntervalKey), 2700);
}

TEST_F(SettingsPanel, EditsUpdateTheWidgetsInPlace) {
    UXSettings settings(cfg, audio, icon, platform);
    whenModal<QtPanel>([&](QtPanel* panel) {
        auto* interval = inRow<QLineEdit>(panel, "Interval in minutes");
        typeText(interval, "-");
        inRow<QCheckBox>(panel, "Restart after sleep")->click();
        EXPECT_FALSE(settings.view().restartOnWake());
        EXPECT_EQ(interval->text(), "-"); // unreadable: kept as typed, the value unchanged
        EXPECT_EQ(settings.view().timerIntervalMinutes(), 10);
        typeText(interval, "5x");
        EXPECT_EQ(interval->text(), "-5");
        EXPECT_EQ(settings.view().timerIntervalMinutes(), -5);
        sendKey(inRow<QComboBox>(panel, "Reminder sound"), Qt::Key_Down);
        EXPECT_EQ(settings.view().selectedSound(), Cfg::Sound::Whistle);
        EXPECT_EQ(platform.audio_.played(), std::vector<std::string>{"Whistle"}); // a preview
        EXPECT_EQ(inRow<QLineEdit>(panel, "Interval in minutes"), interval);
        EXPECT_EQ(panel->focusWidget(), interval);
        EXPECT_EQ(interval->cursorPosition(), 2);

        sendKey(panel, Qt::Key_Escape); // no cancel
        ASSERT_TRUE(panel->isVisible());
        whenModal<QMessageBox>([](QMessageBox* box) { box->defaultButton()->click(); });
        okButton(panel)->click();              // refused, but the sound and flags are saved
        static_cast<QWidget*>(panel)->close(); // as the window manager closes it
    });
    settings.runModal([&] { ++completions; });
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(platform.store_.contains(Cfg::TimerIntervalKey));
    EXPECT_EQ(platform.store_.stringValue(Cfg::AlertSoundKey), "Whistle");
}

TEST_F(SettingsPanel, EndingTheProgramWithTheFormOpenStoresNothingAndCallsIntoNoDyingPanel) {
    auto settings = std::make_unique<UXSettings>(cfg, audio, icon, platform);
    whenModal<QtPanel>([&](QtPanel* panel) {
        auto* interval = inRow<QLineEdit>(panel, "Interval in minutes");
        typeText(interval, "45");
        ASSERT_EQ(panel->focusWidget(), interval);
        platform.runLoop_.stopModal(); // quitting ends every loop and leaves the panel up
    });
    settings->runModal([&] { ++completions; });
    ASSERT_TRUE(platform.panels.front()->isVisible());
    // The program ends: the panel goes with its host, the field losing its focus on the way.
    settings.reset();
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(platform.store_.contains(Cfg::TimerIntervalKey));
}

TEST_F(SettingsPanel, ClosingAPanelHiddenDuringItsRunStillEndsTheRun) {
    UXSettings settings(cfg, audio, icon, platform);
    whenModal<QtPanel>([](QtPanel* panel) {
        panel->hide();
        static_cast<Panel*>(panel)->close();
    });
    settings.runModal([&] { ++completions; });
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(platform.runLoop_.inModalRun());
}

using AboutPanel = WindowTest;

// Receives the links the panel hands to the desktop.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

TEST_F(AboutPanel, ShowsTheBuildAndOpensLinksInTheBrowser) {
    UXAbout about(cfg, buildInfo, icon, platform);
    LinkCatcher links;
    QDesktopServices::setUrlHandler("https", &links, "open");
    whenModal<QtPanel>([&](QtPanel* panel) {
        QStringList texts;
        QLabel* license = nullptr;
        for (QLabel* label : panel->findChildren<QLabel*>()) {
            QTextDocument shown;
            shown.setHtml(label->text());
            texts.push_back(shown.toPlainText());
            if (shown.toPlainText() == "License") {
                license = label;
            }
        }
        EXPECT_EQ(texts,
                  QStringList({"Quillmere Timer", "2026-01-02", "Version: 1.2.3", "Build: 42",
                               "License", "\u00a9 2026 Quillmere", "Support development"}));
        ASSERT_NE(license, nullptr);
        EXPECT_TRUE(license->text().contains("href=\"https://quillmere.org/license.txt\""));
        emit license->linkActivated("https://quillmere.org/license.txt");
        EXPECT_TRUE(panel->isVisible());
        sendKey(panel, Qt::Key_Return); // presses OK
    });
    about.runModal([&] { ++completions; });
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(links.opened, std::vector<QUrl>{QUrl("https://quillmere.org/license.txt")});
}

TEST_F(AboutPanel, IsAFramelessHudPanelCentredOnEveryRunAndReused) {
    UXAbout about(cfg, buildInfo, icon, platform);
    QtPanel* created = platform.panels.front();
    EXPECT_EQ(created->styleMask(), QtPanel::InitialStyleMask | PanelStyle::HudWindow);
    EXPECT_TRUE(created->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(created->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(created->windowModality(), Qt::ApplicationModal);
    for (int run = 0; run < 2; ++run) {
        whenModal<QtPanel>([&](QtPanel* panel) {
            EXPECT_EQ(panel, created);
            EXPECT_TRUE(isCentred(panel));
            // Dragged by its background. Each event is made just before it is sent: Qt 6 events
            // of one device share their point.
            const QPointF from = panel->mapToGlobal(QPointF(4, 4));
            const QPointF to = from + QPointF(50, 30);
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 4), from, Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(panel, &press);
            QMouseEvent move(QEvent::MouseMove, QPointF(54, 34), to, Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(panel, &move);
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(54, 34), to, Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(panel, &release);
            QCoreApplication::processEvents(); // the window system reports the move
            EXPECT_FALSE(isCentred(panel));
            okButton(panel)->click();
        });
        about.runModal([&] { ++completions; });
    }
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(platform.panels.size(), 1u);
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
        children.push_back(ViewNode::button("Done", [this] { done(); }));
        return ViewNode::vstack(ViewNode::Alignment::Center, std::move(children));
    }
    std::function<void()> done;
    int count = 0;
    int renderings = 0;
    std::vector<int> pressedFrom;
};

TEST(QtPanelRendering, RebuildsOnlyWhenTheShapeChangesAndRunsTheNewestClosures) {
    QtRunLoop runLoop;
    ModalWatchdog watchdog{runLoop};
    runLoop.setPanelPresenter([](Panel& panel) { static_cast<QtPanel&>(panel).showForModalRun(); });
    QtPanel panel(runLoop);
    CounterView view;
    view.done = [&] { panel.close(); };
    panel.setContentView(view);
    panel.setWillClose([&] { runLoop.stopModal(); });
    const auto button = [&](const QString& text) {
        for (QPushButton* found : panel.findChildren<QPushButton*>()) {
            if (found->text() == text && found->isVisible()) {
                return found;
            }
        }
        return static_cast<QPushButton*>(nullptr);
    };
    whenModal<QtPanel>([&](QtPanel*) {
        QPushButton* add = button("Add");
        add->click(); // a label appears: rebuilt
        EXPECT_NE(button("Add"), add);
        button("Add")->click(); // only its text changes: in place
        QLabel* count = labelTitled(&panel, "Count: 2");
        button("Add")->click();
        EXPECT_EQ(labelTitled(&panel, "Count: 3"), count);
        button("Done")->click();
    });
    runLoop.runModalForWindow(panel);
    EXPECT_EQ(view.pressedFrom, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(panel.isVisible());
}

} // namespace
} // namespace quillmere::testing

#include "PanelTest.moc"
