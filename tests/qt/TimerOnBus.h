#pragma once

#include "FakeStatusArea.h"
#include "PrivateBus.h"
#include "core/App.h"
#include "platform/qt/QtMenu.h"
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
    StatusAreaPlatform(const QString& folder, QDBusConnection bus);
    ~StatusAreaPlatform() override;

    Resources& resources() override { return *images_; }
    std::unique_ptr<StatusItem> createStatusItem(double length) override;
    std::unique_ptr<Menu> createMenu() override { return std::make_unique<qt::QtMenu>(); }
    qt::AdaptiveStatusItem* item() const { return item_; }

private:
    QDBusConnection bus_;
    std::unique_ptr<Resources> images_;
    qt::AdaptiveStatusItem* item_ = nullptr;
};

// The timer on that desktop, with a status area (watcher and host) on the bus.
class TimerOnBus : public ::testing::Test {
protected:
    TimerOnBus();
    ~TimerOnBus() override { controller.reset(); }

    // A returning user's settings: pop-ups and auto restart off, so a reminder waits.
    void storeSettings();
    void launch();
    // Moves virtual time on (the status item refreshes every second), then lets the bus deliver.
    void advance(double seconds);

    PrivateBus bus;
    QDBusConnection itemBus;
    QDBusConnection hostBus;
    FakeStatusArea area;
    QTemporaryDir folder;
    StatusAreaPlatform platform;
    std::unique_ptr<App> controller;
};

} // namespace quillmere::testing
