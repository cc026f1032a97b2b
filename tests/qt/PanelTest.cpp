// The panel that renders the Settings and About views, driven through its real widgets.
#include "ModalDriver.h"

#include "core/AppIcon.h"
#include "core/BuildInfo.h"
#include "core/Cfg.h"
#include "core/Events.h"
#include "core/UXAbout.h"
#include "core/UXAudio.h"
#include "core/UXSettings.h"
#include "platform/qt/QtAlert.h"
#include "platform/qt/QtPanel.h"
#include "platform/sim/SimPlatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

namespace quillmere::testing {
namespace {

using qt::QtPanel;

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
        selectAll(interval);
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

#include "PanelTest.moc"
