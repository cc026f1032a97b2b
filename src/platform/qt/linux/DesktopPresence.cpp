#include "platform/qt/linux/DesktopPresence.h"

#include "platform/qt/linux/LogindLockWatch.h"
#include "platform/qt/linux/MutterIdleSource.h"
#include "platform/qt/linux/ScreenSaverSource.h"
#include "platform/qt/linux/WaylandIdleSource.h"

#include <algorithm>

namespace quillmere::qt {

DesktopPresence::DesktopPresence(std::vector<Factory> idleSources, std::vector<Factory> lockSources)
    : idleFactories_(std::move(idleSources))
    , lockFactories_(std::move(lockSources)) {}

DesktopPresence::~DesktopPresence() = default;

std::unique_ptr<DesktopPresence> DesktopPresence::forThisDesktop(Bus sessionBus, Bus systemBus,
                                                                 Factory x11IdleSource) {
    // The compositor knows the person's input best, so it comes first: GNOME's on X11 and
    // Wayland alike, then any Wayland compositor with the idle protocol. An X server comes next,
    // but not inside a Wayland session, where it is Xwayland and sees only the input that goes
    // to X11 windows (it would call someone typing in a Wayland window away). The screen saver
    // comes last: it has no idle alarm and has to be asked.
    std::vector<Factory> idle = {
        [sessionBus] { return MutterIdleSource::create(sessionBus()); },
        [] { return WaylandIdleSource::create(); },
        [x11 = std::move(x11IdleSource)]() -> std::unique_ptr<Presence> {
            if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
                return nullptr;
            }
            return x11();
        },
        [sessionBus] { return ScreenSaverSource::createIdleSource(sessionBus()); },
    };
    std::vector<Factory> locks = {
        [systemBus] { return std::make_unique<LogindLockWatch>(systemBus()); },
        [sessionBus] {
            return std::make_unique<ScreenSaverSource>(sessionBus(),
                                                       ScreenSaverSource::freedesktop());
        },
        [sessionBus] {
            return std::make_unique<ScreenSaverSource>(sessionBus(), ScreenSaverSource::gnome());
        },
    };
    return std::make_unique<DesktopPresence>(std::move(idle), std::move(locks));
}

void DesktopPresence::choose() const {
    for (size_t i = 0; !idle_ && i < idleFactories_.size(); ++i) {
        idle_ = idleFactories_[i]();
    }
    for (Factory& make : lockFactories_) {
        if (auto lock = make()) {
            locks_.push_back(std::move(lock));
        }
    }
    lockFactories_.clear();
}

std::string DesktopPresence::source() const {
    choose();
    return idle_ ? idle_->source() : std::string();
}

void DesktopPresence::watch(double idleSeconds, Observer observer) {
    unwatch();
    choose();
    if (idle_) {
        idle_->watch(idleSeconds, {std::move(observer.idle), std::move(observer.active), {}});
    }
    reportLock_ = std::move(observer.lockChanged);
    for (auto& lock : locks_) {
        lock->watch(idleSeconds, {{}, {}, [this](bool) { onLockChanged(); }});
    }
}

void DesktopPresence::unwatch() {
    if (idle_) {
        idle_->unwatch();
    }
    for (auto& lock : locks_) {
        lock->unwatch();
    }
    reportLock_ = nullptr;
    locked_ = false;
}

bool DesktopPresence::isScreenLocked() const {
    return std::any_of(locks_.begin(), locks_.end(),
                       [](const auto& lock) { return lock->isScreenLocked(); });
}

void DesktopPresence::onLockChanged() {
    const bool locked = isScreenLocked();
    if (locked != locked_) {
        locked_ = locked;
        if (const auto report = reportLock_) {
            report(locked);
        }
    }
}

} // namespace quillmere::qt
