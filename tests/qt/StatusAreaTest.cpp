// The status item and its menu as a desktop's status area sees them: what the item registers,
// what its properties say as the real countdown moves, which signals it sends while idle, where
// its icons go, how it moves between the status area, a tray and a window of its own; the menu's
// layout, and clicks that run the real actions, also while a window runs.
#include "ModalDriver.h"
#include "QtPrinters.h"
#include "TimerOnBus.h"
#include "platform/qt/QtPanel.h"
#include "platform/qt/QtStatusItem.h"
#include "platform/qt/StatusWindow.h"
#include "platform/qt/linux/DBusMenuExporter.h"
#include "platform/qt/linux/SniStatusItem.h"
#include "platform/qt/linux/StatusNotifierItemAdaptor.h"
#include "platform/sim/SimServices.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>

#include <sys/stat.h>

namespace quillmere::testing {
namespace {

using namespace std::chrono_literals;
using Backend = qt::AdaptiveStatusItem::Backend;
const Font TitleFont{true, 12, Font::Weight::Regular};

std::shared_ptr<qt::QtImage> logo() {
    return std::make_shared<qt::QtImage>(
        "Quillmere.png", QImage(QStringLiteral(QUILLMERE_TEST_RESOURCES "/Quillmere.png")));
}

class SniStatusItemTest : public TimerOnBus {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isRunning());
        ASSERT_TRUE(area.own());
        storeSettings();
    }
    void start() {
        launch();
        ASSERT_TRUE(area.waitForRegistrations(1));
        advance(1);
        area.clearHeard();
    }
    // The 44-pixel picture the item publishes; it must be the one its icon name loads too.
    QImage published() {
        const auto pixmaps = qdbus_cast<qt::DBusImageList>(area.property("IconPixmap"));
        const QImage picture =
            pixmaps.size() == 2 ? qt::SniStatusItem::fromDBusImage(pixmaps[1]) : QImage();
        EXPECT_EQ(QImage(QDir(area.property("IconThemePath").toString())
                             .filePath(area.property("IconName").toString() + ".png"))
                      .convertToFormat(QImage::Format_ARGB32),
                  picture);
        return picture;
    }
};

TEST_F(SniStatusItemTest, ServesWhatItDeclaresSignalsOnlyChangesAndLeavesOnQuit) {
    start();
    const QString service = area.item();
    // Hosts on Qt's D-Bus see only declared properties: declared and served agree.
    QSet<QString> declared;
    const QDBusMessage introspection =
        area.call("/StatusNotifierItem", "org.freedesktop.DBus.Introspectable", "Introspect");
    for (const auto& match : QRegularExpression(QStringLiteral("<property name=\"(\\w+)\""))
                                 .globalMatch(introspection.arguments().value(0).toString())) {
        declared.insert(match.captured(1));
    }
    const QVariantMap served = area.allProperties();
    EXPECT_EQ(declared, QSet<QString>(served.keyBegin(), served.keyEnd()));
    EXPECT_EQ(served.value("XAyatanaLabel"), "10m");
    // Two minutes of ticks, each setting the same icon (a new image object with the same
    // picture): no new rendering, and one label change a minute.
    const auto& item = dynamic_cast<qt::SniStatusItem&>(platform.item()->current());
    const int renders = item.pixmapRenders();
    const QImage timing = published();
    advance(120);
    EXPECT_EQ(item.pixmapRenders(), renders);
    EXPECT_EQ(area.heard(),
              (QStringList{"NewToolTip", "XAyatanaNewLabel", "NewToolTip", "XAyatanaNewLabel"}));
    // At the deadline the grey icon comes while the title still reads a red "0"; only the red
    // count-up after it asks for attention.
    advance(478);
    area.clearHeard();
    advance(1);
    EXPECT_EQ(area.heard(), (QStringList{"NewToolTip", "XAyatanaNewLabel", "NewIcon"}));
    area.clearHeard();
    advance(1);
    EXPECT_EQ(area.heard(), (QStringList{"NewToolTip", "XAyatanaNewLabel", "NewStatus"}));
    EXPECT_EQ(area.property("Status"), "NeedsAttention");
    // The grey icon, under a name of its own (the app's name would load the logo).
    EXPECT_NE(published(), timing);
    EXPECT_NE(area.property("IconName"), "org.quillmere.Timer");
    controller.reset();
    EXPECT_TRUE(waitUntil([&] { return !hostBus.interface()->isServiceRegistered(service); }));
}

TEST_F(SniStatusItemTest, AClientFloodingItWithReadsIsCutShortAndHostsStillGetAnswers) {
    start();
    // Reads as fast as answers come, a hundred at a time (the bus refuses more in flight):
    // far more than one client's budget.
    QDBusConnection flood = bus.connect("flood");
    int sent = 0, answered = 0, refused = 0;
    std::function<void()> read = [&] {
        QDBusMessage getAll = QDBusMessage::createMethodCall(
            area.item(), "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "GetAll");
        getAll << QStringLiteral("org.kde.StatusNotifierItem");
        ++sent;
        auto* call = new QDBusPendingCallWatcher(flood.asyncCall(getAll));
        QObject::connect(call, &QDBusPendingCallWatcher::finished, [&](auto* done) {
            done->deleteLater();
            ++(done->isError() ? refused : answered);
            EXPECT_TRUE(!done->isError() || done->error().type() == QDBusError::LimitsExceeded);
            if (sent < 1000) {
                read();
            }
        });
    };
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 100; ++i) {
        read();
    }
    ASSERT_TRUE(waitUntil([&] { return answered + refused == 1000; }, 60s));
    EXPECT_GT(answered, 0);
    EXPECT_LE(answered,
              qt::StatusNotifierItemAdaptor::ReadsPerSecond * (clock.elapsed() / 1000 + 2));
    // A host on a connection of its own reads as before.
    EXPECT_EQ(area.allProperties().value("XAyatanaLabel"), "10m");
}

TEST_F(SniStatusItemTest, IconsGoToOneFolderPerUserEmptiedAtStartAndOnlyIfPrivate) {
    const QTemporaryDir runtime;
    const QString path = runtime.filePath("quillmere-timer-icons");
    // What a killed run left behind: its folder, with icons in it.
    ASSERT_TRUE(QDir().mkpath(path + "/hicolor"));
    ::chmod(QFile::encodeName(path).constData(), 0700);
    QFile(path + "/hicolor/old.png").open(QIODevice::WriteOnly);
    {
        qt::SniStatusItem item(itemBus, path);
        EXPECT_EQ(item.iconThemePath(), path);
        EXPECT_FALSE(QFile::exists(path + "/hicolor/old.png"));
        // Without a picture (test mode) each new title is a new icon; the one before stays
        // for a host still loading it, older ones go.
        item.setTitle("29", TitleFont, TitleColor::Default);
        QCoreApplication::processEvents();
        const QString before = item.iconName();
        item.setTitle("28", TitleFont, TitleColor::Default);
        item.setImage(logo());
        QCoreApplication::processEvents();
        EXPECT_EQ(QDir(path).entryList({"*.png"}, QDir::Files),
                  (QStringList{"org.quillmere.Timer.png", before + ".png"}));
    }
    // The next run takes the same folder: one per user, however many runs ended.
    { qt::SniStatusItem item(itemBus, path); }
    EXPECT_EQ(QDir(runtime.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"quillmere-timer-icons"});
    // A link someone planted (even to a private folder), or a folder others may enter, is
    // never used or emptied.
    QFile(path + "/kept.png").open(QIODevice::WriteOnly);
    const QString link = runtime.filePath("planted");
    ASSERT_TRUE(QFile::link(path, link));
    EXPECT_EQ(qt::SniStatusItem(itemBus, link).iconThemePath(), QString());
    ::chmod(QFile::encodeName(path).constData(), 0755);
    EXPECT_EQ(qt::SniStatusItem(itemBus, path).iconThemePath(), QString());
    EXPECT_TRUE(QFile::exists(path + "/kept.png"));
}

// The item as the unit sets it up, with no tray at first, and a short grace before a status
// area that left counts as gone.
TEST_F(TimerOnBus, AdaptiveItemMovesBetweenStatusAreaTrayAndWindowKeepingWhatItShows) {
    ASSERT_TRUE(bus.isRunning());
    bool tray = false;
    sim::SimDefaultsStore store;
    qt::AdaptiveStatusItem item(
        store, itemBus, [&] { return tray; }, 10ms, 500ms);
    qt::QtMenu menu;
    menu.addItem("Quit", "terminateAction:", "q", nullptr);
    item.setMenu(menu);
    item.setImage(logo());
    item.setImageSize(16, 26);
    item.setTitle("7m", TitleFont, TitleColor::Default);
    ASSERT_EQ(item.backend(), Backend::Window);
    // A panel starts after the program: the item moves into its status area.
    ASSERT_TRUE(area.own());
    ASSERT_TRUE(waitUntil([&] { return item.backend() == Backend::StatusNotifier; }));
    ASSERT_TRUE(area.waitForRegistrations(1));
    EXPECT_EQ(area.property("XAyatanaLabel"), "7m");
    // The watcher restarts within the grace: the same item registers again.
    const StatusItem* first = &item.current();
    area.drop();
    area.settle(); // the item has heard that the watcher left
    ASSERT_TRUE(area.own());
    ASSERT_TRUE(area.waitForRegistrations(2));
    EXPECT_EQ(area.registrations().at(1), area.registrations().at(0));
    EXPECT_EQ(&item.current(), first);
    // The panel quits for good: after the grace the window is back, as it was.
    area.drop();
    ASSERT_TRUE(waitUntil([&] { return item.backend() == Backend::Window; }));
    EXPECT_EQ(dynamic_cast<qt::StatusWindow&>(item.current()).title(), "7m");
    // A tray turns up (found by polling, it announces nothing), then goes away again.
    item.setTitle("6m", TitleFont, TitleColor::Default);
    tray = true;
    ASSERT_TRUE(waitUntil([&] { return item.backend() == Backend::TrayIcon; }));
    EXPECT_EQ(dynamic_cast<qt::QtStatusItem&>(item.current()).title(), "6m");
    tray = false;
    ASSERT_TRUE(waitUntil([&] { return item.backend() == Backend::Window; }));
}

using qt::DBusMenuItemList;
using qt::DBusMenuLayout;

const QString MenuPath = QStringLiteral("/MenuBar");
const QString Menu = QStringLiteral("com.canonical.dbusmenu");
constexpr int AboutId = 1;
constexpr int RestartId = 3;
constexpr int ResumeId = 7;
constexpr int MuteId = 8;
constexpr int SettingsId = 10;

QVariantList event(int id) {
    return {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(QVariant(0))), 0u};
}

// The root holds each item of the status menu (whose order the core tests check) as an entry.
// Hosts hear of a changed check mark once, and of nothing when nothing changed.
TEST_F(SniStatusItemTest, DBusMenuHostSeesTheMenuAndClicksRunTheActions) {
    start();
    const auto menuCall = [&](const QString& method, const QVariantList& arguments) {
        return area.call(MenuPath, Menu, method, arguments).arguments();
    };
    const QVariantList layout = menuCall("GetLayout", {0, -1, QStringList()});
    const auto root = qdbus_cast<DBusMenuLayout>(layout.value(1));
    EXPECT_EQ(root.properties.value("children-display"), "submenu");
    ASSERT_EQ(root.children.size(), 12);
    EXPECT_EQ(root.children[ResumeId - 1].properties.value("visible"), false);
    EXPECT_EQ(root.children[MuteId - 1].properties.value("toggle-type"), "checkmark");
    const auto group = qdbus_cast<DBusMenuItemList>(
        menuCall("GetGroupProperties",
                 {QVariant::fromValue(QList<int>{MuteId, 42}), QStringList{"label"}})
            .value(0));
    ASSERT_EQ(group.size(), 1) << "unknown ids are skipped";
    EXPECT_EQ(group[0].properties, (QVariantMap{{"label", "Mute"}}));
    EXPECT_EQ(area.call(MenuPath, Menu, "GetLayout", {42, -1, QStringList()}).errorName(),
              "com.canonical.dbusmenu.Error.UnknownId");

    area.clearHeard();
    menuCall("Event", event(MuteId));
    ASSERT_TRUE(waitUntil([&] { return !area.heard("LayoutUpdated").isEmpty(); }));
    EXPECT_TRUE(controller->cfg().isMuted());
    const auto updated = qdbus_cast<DBusMenuItemList>(
        area.heard("ItemsPropertiesUpdated").value(0).arguments().value(0));
    ASSERT_EQ(updated.size(), 1);
    EXPECT_EQ(updated[0].id, MuteId);
    EXPECT_EQ(updated[0].properties, (QVariantMap{{"toggle-state", 1}}));
    EXPECT_GT(area.heard("LayoutUpdated")[0].arguments().value(0).toUInt(),
              layout.value(0).toUInt());

    // A second click, in a group with an unknown entry, unmutes and names the unknown one.
    const QVariantList clicks =
        menuCall("EventGroup", {QVariant::fromValue(qt::DBusMenuEventList{
                                   {MuteId, "clicked", QDBusVariant(QVariant(0)), 0u},
                                   {42, "clicked", QDBusVariant(QVariant(0)), 0u}})});
    EXPECT_EQ(qdbus_cast<QList<int>>(clicks.value(0)), QList<int>{42});
    ASSERT_TRUE(waitUntil([&] { return !controller->cfg().isMuted(); }));

    // Restart starts a fresh interval; nothing in the menu changed.
    advance(200);
    area.clearHeard();
    menuCall("Event", event(RestartId));
    ASSERT_TRUE(waitUntil([&] { return area.property("XAyatanaLabel") == "11m"; }));
    area.settle(MenuPath);
    EXPECT_TRUE(area.heard("ItemsPropertiesUpdated").isEmpty() &&
                area.heard("LayoutUpdated").isEmpty());
    EXPECT_EQ(area.call(MenuPath, Menu, "Event", event(42)).errorName(),
              "com.canonical.dbusmenu.Error.UnknownId");
}

TEST(DBusMenuAloneTest, DBusMenuRepliesBeforeAnActionRunsItsModalWindow) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    QDBusConnection itemBus = bus.connect("item");
    QDBusConnection hostBus = bus.connect("host");
    qt::QtMenu menu;
    QDBusPendingCall call = QDBusPendingCall::fromCompletedCall(QDBusMessage());
    bool ran = false;
    bool repliedMeanwhile = false;
    menu.addItem("Snooze_all", "snooze:", "", [&](MenuItem&) {
        ran = true;
        // A modal window's nested loop: the host must have its answer while it runs.
        repliedMeanwhile = waitUntil([&] { return call.isFinished(); }, std::chrono::seconds(1));
    });
    auto exporter = std::make_unique<qt::DBusMenuExporter>(menu, itemBus, MenuPath);
    EXPECT_EQ(exporter->properties(1, {"label"})->value("label"), "Snooze__all");

    QDBusMessage click =
        QDBusMessage::createMethodCall(itemBus.baseService(), MenuPath, Menu, "Event");
    click.setArguments(event(1));
    call = hostBus.asyncCall(click);
    ASSERT_TRUE(waitUntil([&] { return ran && call.isFinished(); }));
    EXPECT_TRUE(repliedMeanwhile);
    EXPECT_FALSE(call.isError()) << call.error().message().toStdString();

    // Once gone, it is off the bus and deaf to the menu (which outlives it).
    exporter.reset();
    menu.addItem("Later", "later:", "", nullptr);
    click.setArguments(event(2));
    QDBusPendingCall gone = hostBus.asyncCall(click);
    ASSERT_TRUE(waitUntil([&] { return gone.isFinished(); }));
    EXPECT_TRUE(gone.isError());
}

// The status area's desktop with the real run loop and panels: modal runs as the program has them.
class QtLoopPlatform : public StatusAreaPlatform {
public:
    QtLoopPlatform(const QString& folder, QDBusConnection bus)
        : StatusAreaPlatform(folder, std::move(bus)) {
        loop.setPanelPresenter(
            [](Panel& panel) { dynamic_cast<qt::QtPanel&>(panel).showForModalRun(); });
    }
    Clock& clock() override { return loop; }
    RunLoop& runLoop() override { return loop; }
    std::unique_ptr<Panel> createPanel() override { return std::make_unique<qt::QtPanel>(loop); }

    qt::QtRunLoop loop;
};

TEST(DBusMenuModalTest, ChoosingAWindowWhileSettingsRunsLeavesNoModalRunBehind) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    QDBusConnection hostBus = bus.connect("host");
    FakeStatusArea area(hostBus);
    ASSERT_TRUE(area.own());
    QTemporaryDir folder;
    QtLoopPlatform platform(folder.path(), bus.connect("item"));
    ModalWatchdog watchdog(platform.loop);
    App controller(false, platform);
    controller.applicationDidFinishLaunching();
    ASSERT_TRUE(area.waitForRegistrations(1));
    const auto click = [&](int id) {
        QDBusMessage message = QDBusMessage::createMethodCall(area.item(), MenuPath, Menu, "Event");
        message.setArguments(event(id));
        return hostBus.asyncCall(message);
    };

    QWidget* shown = nullptr;
    whenModal<qt::QtPanel>([&](qt::QtPanel* panel) {
        shown = panel;
        // Settings again (a second activation) and About, while Settings runs.
        QDBusPendingCall again = click(SettingsId);
        QDBusPendingCall about = click(AboutId);
        ASSERT_TRUE(waitUntil([&] { return again.isFinished() && about.isFinished(); }));
        // Return presses OK; posted after the actions, which the menu queued before it replied.
        QMetaObject::invokeMethod(
            panel, [panel] { sendKey(panel, Qt::Key_Return); }, Qt::QueuedConnection);
    });
    QDBusPendingCall first = click(SettingsId);
    ASSERT_TRUE(waitUntil([&] { return shown != nullptr && !platform.loop.inModalRun(); }));
    EXPECT_FALSE(shown->isVisible());
    EXPECT_TRUE(platform.store().contains(Cfg::TimerIntervalKey)); // OK saved

    // Timers run again.
    bool fired = false;
    platform.loop.scheduleTimer(0.001, false, "probe", {}, [&](Timer&) { fired = true; });
    EXPECT_TRUE(waitUntil([&] { return fired; }));
}

} // namespace
} // namespace quillmere::testing
