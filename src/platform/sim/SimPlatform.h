#pragma once

#include "platform/Platform.h"
#include "platform/sim/SimAlert.h"
#include "platform/sim/SimAutostart.h"
#include "platform/sim/SimNotifications.h"
#include "platform/sim/SimPanel.h"
#include "platform/sim/SimPresence.h"
#include "platform/sim/SimRemoteControl.h"
#include "platform/sim/SimRunLoop.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimStatusItem.h"
#include "platform/sim/SimTranslator.h"

#include <filesystem>
#include <vector>

namespace quillmere::sim {

// The whole simulated desktop: virtual time, recorded output, scripted user answers.
class SimPlatform : public Platform {
public:
    // Resources live in `resourceFolder`, which the test owns.
    explicit SimPlatform(std::filesystem::path resourceFolder);
    ~SimPlatform() override;

    Clock& clock() override { return runLoop_; }
    RunLoop& runLoop() override { return runLoop_; }
    Application& application() override { return application_; }
    Resources& resources() override { return resources_; }
    DefaultsStore& defaults() override { return defaults_; }
    Audio& audio() override { return audio_; }
    WakeNotifier& wakeNotifier() override { return wake_; }
    SystemLog& systemLog() override { return log_; }
    const Translator& translator() override { return translator_; }
    Presence& presence() override { return presence_; }
    BusyMonitor& busyMonitor() override { return busy_; }
    Autostart& autostart() override { return autostart_; }
    Notifications& notifications() override { return notifications_; }
    std::unique_ptr<StatusItem> createStatusItem(double length) override;
    std::unique_ptr<Menu> createMenu() override { return std::make_unique<SimMenu>(); }
    std::unique_ptr<Alert> createAlert() override;
    std::unique_ptr<Panel> createPanel() override { return std::make_unique<SimPanel>(); }
    std::vector<RemoteControl*> remoteControls() override { return {&remote_}; }

    SimRunLoop& loop() { return runLoop_; }
    SimApplication& app() { return application_; }
    SimResources& files() { return resources_; }
    SimDefaultsStore& store() { return defaults_; }
    SimAudio& speaker() { return audio_; }
    SimWakeNotifier& wake() { return wake_; }
    SimSystemLog& log() { return log_; }
    SimTranslator& language() { return translator_; }
    SimPresence& person() { return presence_; }
    SimBusyMonitor& busy() { return busy_; }
    SimAutostart& login() { return autostart_; }
    SimNotifications& notices() { return notifications_; }
    AlertScript& alerts() { return alerts_; }
    SimRemoteControl& remote() { return remote_; }
    // The last status item created, or null.
    SimStatusItem* statusItem() const {
        return statusItems_.empty() ? nullptr : statusItems_.back();
    }

    // Status items made from now on are on a desktop that shows no title beside the icon.
    void hideTitles() { titlesHidden_ = true; }
    // The computer sleeps for `seconds`, then wakes.
    void sleepAndWake(double seconds);

private:
    SimRunLoop runLoop_;
    SimApplication application_;
    SimResources resources_;
    SimDefaultsStore defaults_;
    SimAudio audio_;
    SimWakeNotifier wake_;
    SimSystemLog log_;
    SimTranslator translator_;
    SimPresence presence_;
    SimBusyMonitor busy_;
    SimAutostart autostart_;
    SimNotifications notifications_;
    AlertScript alerts_;
    SimRemoteControl remote_;
    std::vector<SimStatusItem*> statusItems_;
    bool titlesHidden_ = false;
};

} // namespace quillmere::sim
