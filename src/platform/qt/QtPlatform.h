#pragma once

#include "platform/Platform.h"

#include <memory>

namespace quillmere::qt {

class QtApplication;
class QtAudio;
class QtDefaultsStore;
class QtResources;
class QtRunLoop;
class QtSystemLog;

// The desktop the program ships with: every port on Qt 6.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    Clock& clock() override;
    RunLoop& runLoop() override;
    Application& application() override;
    Resources& resources() override;
    DefaultsStore& defaults() override;
    Audio& audio() override;
    WakeNotifier& wakeNotifier() override;
    SystemLog& systemLog() override;
    Presence& presence() override;
    BusyMonitor& busyMonitor() override;
    std::unique_ptr<StatusItem> createStatusItem(double length) override;
    std::unique_ptr<Menu> createMenu() override;
    std::unique_ptr<Alert> createAlert() override;
    std::unique_ptr<Panel> createPanel() override;

private:
    std::unique_ptr<QtRunLoop> runLoop_;
    std::unique_ptr<QtApplication> application_;
    std::unique_ptr<QtResources> resources_;
    std::unique_ptr<QtDefaultsStore> defaults_;
    std::unique_ptr<QtAudio> audio_;
    std::unique_ptr<WakeNotifier> wake_;
    std::unique_ptr<QtSystemLog> log_;
    std::unique_ptr<Presence> presence_;
    std::unique_ptr<BusyMonitor> busy_;
};

} // namespace quillmere::qt
