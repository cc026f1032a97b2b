#pragma once

#include "platform/BusyMonitor.h"
#include "platform/Presence.h"

namespace quillmere::qt {

// Where no presence source answers: never idle, never locked; the settings that need it say so.
class NoPresence : public Presence {
public:
    std::string source() const override { return {}; }
    void watch(double, Observer) override {}
    void unwatch() override {}
    bool isScreenLocked() const override { return false; }
};

// Where neither a full-screen check nor a do-not-disturb switch answers: never busy.
class NoBusyMonitor : public BusyMonitor {
public:
    std::string source() const override { return {}; }
    void watch(std::function<void(State)>) override {}
    void unwatch() override {}
    State state() const override { return {}; }
};

} // namespace quillmere::qt
