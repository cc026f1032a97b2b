#include "platform/qt/linux/DesktopBusyMonitor.h"

#include "platform/qt/linux/DoNotDisturbWatch.h"

namespace quillmere::qt {

DesktopBusyMonitor::DesktopBusyMonitor(std::vector<Factory> sources)
    : factories_(std::move(sources)) {}

DesktopBusyMonitor::~DesktopBusyMonitor() = default;

std::unique_ptr<DesktopBusyMonitor>
DesktopBusyMonitor::forThisDesktop(std::function<QDBusConnection()> sessionBus,
                                   Factory x11FullScreen) {
    std::vector<Factory> sources = {
        std::move(x11FullScreen),
        [sessionBus] { return std::make_unique<DoNotDisturbWatch>(sessionBus()); },
    };
    return std::make_unique<DesktopBusyMonitor>(std::move(sources));
}

void DesktopBusyMonitor::create() const {
    for (Factory& make : factories_) {
        if (auto source = make()) {
            sources_.push_back(std::move(source));
        }
    }
    factories_.clear();
}

std::string DesktopBusyMonitor::source() const {
    create();
    std::string names;
    for (const auto& source : sources_) {
        const std::string name = source->source();
        if (!name.empty()) {
            names += (names.empty() ? "" : ", ") + name;
        }
    }
    return names;
}

void DesktopBusyMonitor::watch(std::function<void(State)> changed) {
    unwatch();
    create();
    changed_ = std::move(changed);
    for (auto& source : sources_) {
        source->watch([this](State) { onChanged(); });
    }
}

void DesktopBusyMonitor::unwatch() {
    for (auto& source : sources_) {
        source->unwatch();
    }
    changed_ = nullptr;
    reported_ = {};
}

BusyMonitor::State DesktopBusyMonitor::state() const {
    State merged;
    for (const auto& source : sources_) {
        const State state = source->state();
        merged.fullScreen = merged.fullScreen || state.fullScreen;
        merged.doNotDisturb = merged.doNotDisturb || state.doNotDisturb;
    }
    return merged;
}

void DesktopBusyMonitor::onChanged() {
    const State now = state();
    if (now != reported_) {
        reported_ = now;
        if (const auto report = changed_) {
            report(now);
        }
    }
}

} // namespace quillmere::qt
