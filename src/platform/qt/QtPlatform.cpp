#include "platform/qt/QtPlatform.h"

#include "platform/qt/NoDesktopSource.h"
#include "platform/qt/OsIntegration.h"
#include "platform/qt/QtAlert.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtAudio.h"
#include "platform/qt/QtDefaultsStore.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/QtPanel.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/qt/QtSystemLog.h"

namespace quillmere::qt {

QtPlatform::QtPlatform()
    : runLoop_(std::make_unique<QtRunLoop>())
    , application_(std::make_unique<QtApplication>())
    , resources_(std::make_unique<QtResources>(QtResources::standardFolders()))
    , defaults_(std::make_unique<QtDefaultsStore>())
    , audio_(std::make_unique<QtAudio>())
    , wake_(makeWakeNotifier())
    , log_(std::make_unique<QtSystemLog>())
    , presence_(std::make_unique<NoPresence>())
    , busy_(std::make_unique<NoBusyMonitor>()) {
    runLoop_->setPanelPresenter(
        [](Panel& panel) { dynamic_cast<QtPanel&>(panel).showForModalRun(); });
    onTerminationRequest([this] { application_->terminate(); });
}

QtPlatform::~QtPlatform() = default;

Clock& QtPlatform::clock() {
    return *runLoop_;
}
RunLoop& QtPlatform::runLoop() {
    return *runLoop_;
}
Application& QtPlatform::application() {
    return *application_;
}
Resources& QtPlatform::resources() {
    return *resources_;
}
DefaultsStore& QtPlatform::defaults() {
    return *defaults_;
}
Audio& QtPlatform::audio() {
    return *audio_;
}
WakeNotifier& QtPlatform::wakeNotifier() {
    return *wake_;
}
SystemLog& QtPlatform::systemLog() {
    return *log_;
}
Presence& QtPlatform::presence() {
    return *presence_;
}
BusyMonitor& QtPlatform::busyMonitor() {
    return *busy_;
}

std::unique_ptr<StatusItem> QtPlatform::createStatusItem(double) {
    return makeStatusItem(*defaults_);
}

std::unique_ptr<Menu> QtPlatform::createMenu() {
    return std::make_unique<QtMenu>();
}

std::unique_ptr<Alert> QtPlatform::createAlert() {
    return std::make_unique<QtAlert>(*runLoop_);
}

std::unique_ptr<Panel> QtPlatform::createPanel() {
    return std::make_unique<QtPanel>(*runLoop_);
}

} // namespace quillmere::qt
