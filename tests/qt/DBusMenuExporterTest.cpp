// The status menu as a host draws it over D-Bus: its layout, and clicks that run the real
// actions and come back as changed check marks.
#include "platform/qt/linux/DBusMenuExporter.h"
#include "ModalDriver.h"
#include "QtPrinters.h"
#include "TimerOnBus.h"
#include "platform/qt/QtPanel.h"

#include <QDBusPendingCall>
#include <QDBusVariant>

namespace quillmere::testing {
namespace {

using qt::DBusMenuItemList;
using qt::DBusMenuLayout;
using qt::DBusMenuShortcut;

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
TEST_F(TimerOnBus, DBusMenuHostSeesTheMenuAndClicksRunTheActions) {
    ASSERT_TRUE(bus.isRunning());
    ASSERT_TRUE(area.own());
    storeSettings();
    launch();
    ASSERT_TRUE(area.waitForRegistrations(1));
    const auto menuCall = [&](const QString& method, const QVariantList& arguments) {
        return area.call(MenuPath, Menu, method, arguments).arguments();
    };
    const QVariantList layout = menuCall("GetLayout", {0, -1, QStringList()});
    const auto root = qdbus_cast<DBusMenuLayout>(layout.value(1));
    EXPECT_EQ(root.properties.value("children-display"), "submenu");
    ASSERT_EQ(root.children.size(), 12);
    EXPECT_EQ(root.children[ResumeId - 1].properties.value("visible"), false);
    EXPECT_EQ(
        qdbus_cast<DBusMenuShortcut>(root.children[RestartId - 1].properties.value("shortcut")),
        (DBusMenuShortcut{{"Control", "r"}}));
    EXPECT_EQ(root.children[MuteId - 1].properties.value("toggle-type"), "checkmark");
    EXPECT_TRUE(qdbus_cast<DBusMenuLayout>(menuCall("GetLayout", {0, 0, QStringList()}).value(1))
                    .children.isEmpty())
        << "depth 0 is the root alone";
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
