#pragma once

#include "platform/BusyMonitor.h"

#include <QDBusConnection>

#include <functional>
#include <memory>
#include <vector>

namespace quillmere::qt {

// Busy from everything this desktop answers: full screen from one source, do-not-disturb from
// another, each flag set while any source sets it. Nothing is asked before the first call, and
// nothing is followed before watch().
class DesktopBusyMonitor : public BusyMonitor {
public:
    // Makes a source, or null where it does not answer here.
    using Factory = std::function<std::unique_ptr<BusyMonitor>()>;

    explicit DesktopBusyMonitor(std::vector<Factory> sources);
    // Full screen from `x11FullScreen`, do-not-disturb from the session bus (connected to when
    // first asked for).
    static std::unique_ptr<DesktopBusyMonitor>
    forThisDesktop(std::function<QDBusConnection()> sessionBus, Factory x11FullScreen);
    ~DesktopBusyMonitor() override;

    std::string source() const override;
    void watch(std::function<void(State)> changed) override;
    void unwatch() override;
    State state() const override;

private:
    void create() const;
    void onChanged();

    mutable std::vector<Factory> factories_;
    mutable std::vector<std::unique_ptr<BusyMonitor>> sources_;
    std::function<void(State)> changed_;
    State reported_;
};

} // namespace quillmere::qt
