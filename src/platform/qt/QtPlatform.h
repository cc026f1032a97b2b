#pragma once

#include "platform/Platform.h"

#include <memory>

namespace quillmere::qt {

class ControlSocket;
class DeferredRemoteControl;
class DeferredWakeNotifier;
class LocalServer;
class QtApplication;
class QtAudio;
class QtDefaultsStore;
class QtResources;
class QtRunLoop;
class QtSystemLog;

// The desktop the program ships with: every port on Qt 6. Nothing slow runs before the status
// item shows: the sound server and the wake source are started from the event loop once it has
// sent the item out (see startDeferredServices()).
class QtPlatform : public Platform {
public:
    // `translator` is the user's language; without one, English. Commands come in over
    // `commands` when given (the single-instance socket, which outlives the platform) and over
    // the session bus.
    explicit QtPlatform(std::unique_ptr<Translator> translator = nullptr,
                        LocalServer* commands = nullptr);
    ~QtPlatform() override;

    // Whether the services that wait for the status item have been started.
    bool deferredServicesStarted() const { return deferredStarted_; }

    Clock& clock() override;
    RunLoop& runLoop() override;
    Application& application() override;
    Resources& resources() override;
    DefaultsStore& defaults() override;
    Audio& audio() override;
    WakeNotifier& wakeNotifier() override;
    SystemLog& systemLog() override;
    const Translator& translator() override;
    Presence& presence() override;
    BusyMonitor& busyMonitor() override;
    Autostart& autostart() override;
    Notifications& notifications() override;
    std::unique_ptr<StatusItem> createStatusItem(double length) override;
    std::unique_ptr<Menu> createMenu() override;
    std::unique_ptr<Alert> createAlert() override;
    std::unique_ptr<Panel> createPanel() override;
    std::vector<RemoteControl*> remoteControls() override;

private:
    // Connects to the sound server (caching the alert sounds), the system bus (wake) and the
    // session bus (commands).
    void startDeferredServices();

    bool deferredScheduled_ = false;
    bool deferredStarted_ = false;
    std::unique_ptr<QtRunLoop> runLoop_;
    std::unique_ptr<QtApplication> application_;
    std::unique_ptr<QtResources> resources_;
    std::unique_ptr<QtDefaultsStore> defaults_;
    std::unique_ptr<QtAudio> audio_;
    std::unique_ptr<DeferredWakeNotifier> wake_;
    std::unique_ptr<QtSystemLog> log_;
    std::unique_ptr<Translator> translator_;
    std::unique_ptr<Presence> presence_;
    std::unique_ptr<BusyMonitor> busy_;
    std::unique_ptr<Autostart> autostart_;
    std::unique_ptr<Notifications> notifications_;
    std::unique_ptr<ControlSocket> socket_;
    std::unique_ptr<DeferredRemoteControl> bus_;
};

} // namespace quillmere::qt
