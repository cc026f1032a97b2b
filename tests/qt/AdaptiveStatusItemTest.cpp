// The status item follows the desktop: a status area on the bus, a tray, or neither.
#include "platform/qt/linux/AdaptiveStatusItem.h"
#include "FakeStatusArea.h"
#include "PrivateBus.h"
#include "QtPrinters.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtStatusItem.h"
#include "platform/qt/StatusWindow.h"
#include "platform/sim/SimServices.h"

#include <QDBusObjectPath>

#include <gtest/gtest.h>

namespace quillmere::testing {
namespace {

using namespace std::chrono_literals;
using qt::AdaptiveStatusItem;
using Backend = AdaptiveStatusItem::Backend;

const Font TitleFont{true, 12, Font::Weight::Regular};

class AdaptiveStatusItemTest : public ::testing::Test {
protected:
    AdaptiveStatusItemTest() {
        QImage green(128, 128, QImage::Format_ARGB32);
        green.fill(Qt::green);
        image = std::make_shared<qt::QtImage>("Quillmere.png", green);
        menu.addItem("Quit", "terminateAction:", "q", nullptr);
    }

    // What the unit sets on a fresh item.
    void setUp(AdaptiveStatusItem& item) {
        item.setMenu(menu);
        item.setImage(image);
        item.setImageSize(16, 26);
        item.setTitle("7m", TitleFont, TitleColor::Default);
    }

    PrivateBus bus;
    QDBusConnection itemBus = bus.connect(QStringLiteral("item"));
    QDBusConnection hostBus = bus.connect(QStringLiteral("host"));
    FakeStatusArea area{hostBus};
    qt::QtMenu menu;
    std::shared_ptr<qt::QtImage> image;
    bool tray = false;
    sim::SimDefaultsStore store;
};

TEST_F(AdaptiveStatusItemTest, MovesBetweenStatusAreaTrayAndWindowKeepingWhatItShows) {
    ASSERT_TRUE(bus.isRunning());
    AdaptiveStatusItem item(
        store, itemBus, [this] { return tray; }, 10ms, 20ms);
    setUp(item);
    ASSERT_EQ(item.backend(), Backend::Window);
    auto* window = dynamic_cast<qt::StatusWindow*>(&item.current());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->title(), "7m");

    // A panel starts after the program: the item moves into its status area.
    ASSERT_TRUE(area.own());
    ASSERT_TRUE(waitUntil([&] { return item.backend() == Backend::StatusNotifier; }));
    ASSERT_TRUE(area.waitForRegistrations(1));
    EXPECT_EQ(area.property("XAyatanaLabel"), "7m");
    EXPECT_EQ(area.property("IconName"), "org.quillmere.Timer");
    EXPECT_EQ(area.property("Menu").value<QDBusObjectPath>().path(), "/MenuBar");

    // The panel quits for good: after a short grace the window is back, as it was.
    area.drop();
    ASSERT_TRUE(waitUntil([&] { return item.backend() == Backend::Window; }));
    window = dynamic_cast<qt::StatusWindow*>(&item.current());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->title(), "7m");
    EXPECT_TRUE(window->hasImage());
    item.setTitle("6m", TitleFont, TitleColor::Default);
    EXPECT_EQ(window->title(), "6m");

    // A tray turns up (found by polling, it announces nothing), then goes away again.
    tray = true;
    ASSERT_TRUE(waitUntil([&] { return item.backend() == Backend::TrayIcon; }));
    auto& trayItem = dynamic_cast<qt::QtStatusItem&>(item.current());
    EXPECT_EQ(trayItem.title(), "6m");
    EXPECT_EQ(trayItem.trayIcon().contextMenu(), menu.menu());
    tray = false;
    ASSERT_TRUE(waitUntil([&] { return item.backend() == Backend::Window; }));
}

TEST_F(AdaptiveStatusItemTest, AWatcherThatRestartsKeepsTheItemWhichRegistersAgain) {
    ASSERT_TRUE(bus.isRunning());
    ASSERT_TRUE(area.own());
    AdaptiveStatusItem item(
        store, itemBus, [this] { return tray; }, 10ms, 5s);
    setUp(item);
    ASSERT_EQ(item.backend(), Backend::StatusNotifier);
    ASSERT_TRUE(area.waitForRegistrations(1));
    const StatusItem* first = &item.current();

    area.drop();
    area.settle(); // the item has heard that the watcher left
    ASSERT_TRUE(area.own());
    ASSERT_TRUE(area.waitForRegistrations(2));
    EXPECT_EQ(area.registrations().at(1), area.registrations().at(0));
    EXPECT_EQ(item.backend(), Backend::StatusNotifier);
    EXPECT_EQ(&item.current(), first);
    EXPECT_EQ(area.property("XAyatanaLabel"), "7m");
}

} // namespace
} // namespace quillmere::testing
