#include "platform/qt/OsIntegration.h"

#include "platform/qt/linux/AdaptiveStatusItem.h"
#include "platform/qt/linux/DesktopBusyMonitor.h"
#include "platform/qt/linux/DesktopPresence.h"
#include "platform/qt/linux/LinuxWakeNotifier.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace quillmere::qt {

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void forwardSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here: the main loop reads the byte.
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// The X11 sources: an X server's idle alarms and the active window's full-screen state. Until
// X11IdleSource and X11FullScreenWatch are in the build, no X server answers here; each of these
// two then returns its class's create().
std::unique_ptr<Presence> makeX11IdleSource() {
    return nullptr;
}
std::unique_ptr<BusyMonitor> makeX11FullScreenWatch() {
    return nullptr;
}

} // namespace

std::unique_ptr<WakeNotifier> makeWakeNotifier() {
    return std::make_unique<LinuxWakeNotifier>();
}

std::unique_ptr<StatusItem> makeStatusItem() {
    return std::make_unique<AdaptiveStatusItem>();
}

std::unique_ptr<Presence> makePresence() {
    return DesktopPresence::forThisDesktop(&QDBusConnection::sessionBus,
                                           &QDBusConnection::systemBus, makeX11IdleSource);
}

std::unique_ptr<BusyMonitor> makeBusyMonitor() {
    return DesktopBusyMonitor::forThisDesktop(&QDBusConnection::sessionBus, makeX11FullScreenWatch);
}

void onTerminationRequest(std::function<void()> handler) {
    if (signalPipe[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [handler = std::move(handler)] {
                         char byte = 0;
                         [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
                         handler();
                     });
    struct sigaction action {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace quillmere::qt
