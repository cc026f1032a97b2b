#pragma once

#include "FakeStatusArea.h"
#include "PrivateBus.h"
#include "core/App.h"
#include "core/Cfg.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/linux/AdaptiveStatusItem.h"
#include "platform/sim/SimPlatform.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace quillmere::testing {

// The simulated desktop (virtual time, recorded sounds, in-memory settings) with the real status
// item and menu of a Linux desktop on a private bus, and the packaged images decoded by Qt.
class StatusAreaPlatform : public sim::SimPlatform {
public:
    StatusAreaPlatform(const QString& folder, QDBusConnection bus)
        : SimPlatform(folder.toStdString())
        , bus_(std::move(bus))
        , images_(files()) {
        files().writeFile("BuildInfo.txt", "Version=1.0.0\nBuild=42\nDate=2026-12-01\n");
    }

    Resources& resources() override { return images_; }
    std::unique_ptr<StatusItem> createStatusItem(double) override {
        // No tray here: without a watcher the item would be a window.
        auto item = std::make_unique<qt::AdaptiveStatusItem>(store(), bus_, [] { return false; });
        item_ = item.get();
        return item;
    }
    std::unique_ptr<Menu> createMenu() override { return std::make_unique<qt::QtMenu>(); }
    qt::AdaptiveStatusItem* item() const { return item_; }

private:
    // Files from the folder; images from the packaged resources, a new object on every look-up,
    // as a plain loader gives.
    struct PackagedImages : Resources {
        explicit PackagedImages(const Resources& files)
            : files(files) {}
        std::optional<std::string> pathForResource(const std::string& name,
                                                   const std::string& extension) const override {
            return files.pathForResource(name, extension);
        }
        std::shared_ptr<const Image> image(const std::string& name) override {
            const auto decoded = std::dynamic_pointer_cast<const qt::QtImage>(packaged.image(name));
            return decoded ? std::make_shared<qt::QtImage>(name, decoded->image()) : nullptr;
        }
        const Resources& files;
        qt::QtResources packaged{{QStringLiteral(QUILLMERE_TEST_RESOURCES)}};
    };

    QDBusConnection bus_;
    PackagedImages images_;
    qt::AdaptiveStatusItem* item_ = nullptr;
};

// The timer on that desktop, with a status area (watcher and host) on the bus.
class TimerOnBus : public ::testing::Test {
protected:
    ~TimerOnBus() override { controller.reset(); }

    // A returning user's settings: pop-ups and auto restart off, so a reminder waits.
    void storeSettings() {
        platform.store().setString(Cfg::VersionKey, "0.9");
        platform.store().setBool(Cfg::PopupAlertsKey, false);
        platform.store().setBool(Cfg::AutoRestartKey, false);
        platform.store().setBool(Cfg::ShowCountdownKey, true);
    }
    void launch(bool testMode = false) {
        controller = std::make_unique<App>(testMode, platform);
        platform.app().run([this] { controller->applicationDidFinishLaunching(); });
    }
    // Moves virtual time on (the status item refreshes every second), then lets the bus deliver.
    void advance(double seconds) {
        platform.loop().advanceSeconds(seconds);
        area.settle();
    }

    PrivateBus bus;
    QDBusConnection itemBus = bus.connect("item");
    QDBusConnection hostBus = bus.connect("host");
    FakeStatusArea area{hostBus};
    QTemporaryDir folder;
    StatusAreaPlatform platform{folder.path(), itemBus};
    std::unique_ptr<App> controller;
};

} // namespace quillmere::testing
