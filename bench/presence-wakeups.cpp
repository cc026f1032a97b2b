// What watching presence and do-not-disturb costs while the person is at the computer: the
// desktop's services are played on private buses (as in the tests), the real sources watch them
// with a five-minute threshold, and this process's CPU time, context switches and the calls the
// services receive are counted over a quiet window, beside the same window with nothing watched.
// Usage: quillmere_presence_bench [SECONDS]   (default 20)
#include "platform/qt/linux/DesktopBusyMonitor.h"
#include "platform/qt/linux/DesktopPresence.h"
#include "qt/FakeService.h"

#include <QCoreApplication>
#include <QDBusObjectPath>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

using namespace quillmere;
using namespace quillmere::testing;

namespace {

struct Usage {
    double cpuSeconds;
    long switches;
};

Usage usage() {
    rusage now{};
    getrusage(RUSAGE_SELF, &now);
    return {double(now.ru_utime.tv_sec + now.ru_stime.tv_sec) +
                (now.ru_utime.tv_usec + now.ru_stime.tv_usec) / 1e6,
            now.ru_nvcsw + now.ru_nivcsw};
}

// Runs the event loop with nothing of its own to do.
void runFor(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

int callsTo(const std::vector<FakeService*>& services) {
    int calls = 0;
    for (FakeService* service : services) {
        for (const char* member : {"AddIdleWatch", "AddUserActiveWatch", "GetSessionIdleTime",
                                   "GetActive", "Get", "GetSession"}) {
            calls += int(service->calls(member).size());
        }
    }
    return calls;
}

void report(const char* what, int seconds, const std::vector<FakeService*>& services) {
    const Usage before = usage();
    const int callsBefore = callsTo(services);
    runFor(std::chrono::seconds(seconds));
    const Usage after = usage();
    std::printf("%-34s CPU %6.3f s  context switches %4ld  service calls %d\n", what,
                after.cpuSeconds - before.cpuSeconds, after.switches - before.switches,
                callsTo(services) - callsBefore);
}

std::optional<QVariantList> answer(const QDBusMessage& call) {
    const QString member = call.member();
    if (member.startsWith("Add")) {
        return QVariantList{uint(1)};
    }
    if (member == "GetSessionIdleTime") {
        return QVariantList{uint(0)};
    }
    if (member == "GetSession") {
        return QVariantList{QVariant::fromValue(QDBusObjectPath("/org/freedesktop/login1/s/c1"))};
    }
    if (member == "Get") {
        return call.arguments().value(1) == "Id" ? FakeService::property(QStringLiteral("c1"))
                                                 : FakeService::property(false);
    }
    return QVariantList{false};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
    qunsetenv("WAYLAND_DISPLAY");
    for (const bool gnome : {true, false}) {
        PrivateBus session;
        PrivateBus system;
        QDBusConnection sessionBus = session.connect("timer");
        QDBusConnection systemBus = system.connect("timer");
        FakeService logind(system, "org.freedesktop.login1", answer);
        FakeService saver(session, "org.freedesktop.ScreenSaver", answer);
        FakeService notifications(session, "org.freedesktop.Notifications", answer);
        std::unique_ptr<FakeService> mutter;
        if (gnome) {
            mutter = std::make_unique<FakeService>(session, "org.gnome.Mutter.IdleMonitor", answer);
        }
        std::vector<FakeService*> services = {&logind, &saver, &notifications};
        if (mutter) {
            services.push_back(mutter.get());
        }
        auto presence = qt::DesktopPresence::forThisDesktop(
            [&] { return sessionBus; }, [&] { return systemBus; }, [] { return nullptr; });
        auto busy = qt::DesktopBusyMonitor::forThisDesktop([&] { return sessionBus; },
                                                           [] { return nullptr; });
        std::printf("idle source: %s, busy sources: %s\n", presence->source().c_str(),
                    busy->source().c_str());
        report("nothing watched", seconds, services);
        presence->watch(300, {[] {}, [](double) {}, [](bool) {}});
        busy->watch([](BusyMonitor::State) {});
        runFor(std::chrono::seconds(1)); // the first questions and answers
        report("watched, person at the computer", seconds, services);
        presence->unwatch();
        busy->unwatch();
    }
    return 0;
}
