#include "platform/qt/OsIntegration.h"

#include "platform/qt/linux/AdaptiveStatusItem.h"
#include "platform/qt/linux/LinuxWakeNotifier.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace quillmere::qt {

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void forwardSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here: the main loop reads the byte.
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

std::unique_ptr<WakeNotifier> makeWakeNotifier() {
    return std::make_unique<LinuxWakeNotifier>();
}

std::unique_ptr<StatusItem> makeStatusItem(DefaultsStore& store) {
    return std::make_unique<AdaptiveStatusItem>(store);
}

void showOnAllWorkspaces(QWidget& window) {
    // Wayland has no workspaces a client may choose; the offscreen platform has no windows.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection =
        QGuiApplication::platformName() == QLatin1String("xcb") && x11 != nullptr
            ? x11->connection()
            : nullptr;
    if (connection == nullptr) {
        return;
    }
    constexpr const char* name = "_NET_WM_DESKTOP";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    if (atom == nullptr) {
        return;
    }
    // The desktop number 0xFFFFFFFF means all of them.
    const std::uint32_t all = 0xFFFFFFFF;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), atom->atom, XCB_ATOM_CARDINAL,
                        32, 1, &all);
    std::free(atom);
    xcb_flush(connection);
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
