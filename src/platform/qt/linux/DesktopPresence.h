#pragma once

#include "platform/Presence.h"

#include <QDBusConnection>

#include <functional>
#include <memory>
#include <vector>

namespace quillmere::qt {

// Presence from whatever this desktop answers: idle from the first idle source that answers,
// locks from every lock source (locked while any of them says so). Nothing is asked before the
// first source() or watch(), and nothing is followed before watch().
class DesktopPresence : public Presence {
public:
    // Makes a source, or null where it does not answer here.
    using Factory = std::function<std::unique_ptr<Presence>()>;

    DesktopPresence(std::vector<Factory> idleSources, std::vector<Factory> lockSources);
    // Connects to a bus when first called.
    using Bus = std::function<QDBusConnection()>;
    // The sources a Linux desktop may have, in the order they are preferred; `x11IdleSource`
    // makes the X server's.
    static std::unique_ptr<DesktopPresence> forThisDesktop(Bus sessionBus, Bus systemBus,
                                                           Factory x11IdleSource);
    ~DesktopPresence() override;

    std::string source() const override;
    void watch(double idleSeconds, Observer observer) override;
    void unwatch() override;
    bool isScreenLocked() const override;

private:
    void choose() const;
    void onLockChanged();

    // Chosen on first use; an idle source that didn't answer is looked for again then.
    mutable std::vector<Factory> idleFactories_;
    mutable std::vector<Factory> lockFactories_;
    mutable std::unique_ptr<Presence> idle_;
    mutable std::vector<std::unique_ptr<Presence>> locks_;
    std::function<void(bool)> reportLock_;
    bool locked_ = false;
};

} // namespace quillmere::qt
