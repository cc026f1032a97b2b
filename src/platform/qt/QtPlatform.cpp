#include "platform/qt/QtPlatform.h"

#include "platform/qt/ControlSocket.h"
#include "platform/qt/DeferredRemoteControl.h"
#include "platform/qt/DeferredWakeNotifier.h"
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
#include "platform/qt/QtTranslator.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

#include <memory>

namespace quillmere::qt {

namespace {

// Runs `work` from the event loop once the loop has nothing left to do and is about to wait.
// By then it has sent out what was just shown: Qt writes a tray icon's requests to the X server
// when the loop goes idle, not when the icon is made.
void whenIdle(QObject* context, std::function<void()> work) {
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher == nullptr) {
        QTimer::singleShot(0, context, std::move(work));
        return;
    }
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, context,
                             [once, context, work = std::move(work)] {
                                 QTimer::singleShot(0, context, work);
                                 QObject::disconnect(*once); // last: it ends this lambda
                             });
}

} // namespace

QtPlatform::QtPlatform(std::unique_ptr<Translator> translator, LocalServer* commands)
    : runLoop_(std::make_unique<QtRunLoop>())
    , application_(std::make_unique<QtApplication>())
    , resources_(std::make_unique<QtResources>(QtResources::standardFolders()))
    , defaults_(std::make_unique<QtDefaultsStore>())
    , audio_(std::make_unique<QtAudio>())
    , wake_(std::make_unique<DeferredWakeNotifier>(&makeWakeNotifier))
    , log_(std::make_unique<QtSystemLog>())
    , translator_(translator ? std::move(translator)
                             : std::make_unique<QtTranslator>(QLocale::c(), QStringList()))
    , presence_(makePresence())
    , busy_(makeBusyMonitor())
    // The entry starts the program that runs now, by its full path: it works from a build
    // folder and from a prefix the login session's PATH may not include. Taken now, while the
    // path names the running file even if an upgrade replaces it later.
    , autostart_(makeAutostart(QCoreApplication::applicationFilePath()))
    , notifications_(makeNotifications())
    , socket_(commands != nullptr ? std::make_unique<ControlSocket>(*commands) : nullptr)
    , bus_(std::make_unique<DeferredRemoteControl>(&makeBusControl)) {
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
const Translator& QtPlatform::translator() {
    return *translator_;
}
Presence& QtPlatform::presence() {
    return *presence_;
}
BusyMonitor& QtPlatform::busyMonitor() {
    return *busy_;
}
Autostart& QtPlatform::autostart() {
    return *autostart_;
}
Notifications& QtPlatform::notifications() {
    return *notifications_;
}

std::unique_ptr<StatusItem> QtPlatform::createStatusItem(double) {
    std::unique_ptr<StatusItem> item = makeStatusItem(*defaults_);
    if (!deferredScheduled_) {
        deferredScheduled_ = true;
        whenIdle(runLoop_.get(), [this] { startDeferredServices(); });
    }
    return item;
}

void QtPlatform::startDeferredServices() {
    deferredStarted_ = true;
    wake_->start();
    audio_->prepare();
    bus_->open();
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

std::vector<RemoteControl*> QtPlatform::remoteControls() {
    std::vector<RemoteControl*> controls{bus_.get()};
    if (socket_) {
        controls.push_back(socket_.get());
    }
    return controls;
}

} // namespace quillmere::qt
