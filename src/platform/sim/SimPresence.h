#pragma once

#include "platform/BusyMonitor.h"
#include "platform/Presence.h"

#include <string>
#include <utility>

namespace quillmere::sim {

// Presence as the test scripts it: the test says when the person goes idle, comes back, locks.
class SimPresence : public Presence {
public:
    std::string source() const override { return source_; }
    void watch(double idleSeconds, Observer observer) override {
        idleSeconds_ = idleSeconds;
        observer_ = std::move(observer);
        watching_ = true;
    }
    void unwatch() override {
        watching_ = false;
        observer_ = {};
    }
    bool isScreenLocked() const override { return locked_; }

    // No source answers on this desktop when `name` is empty.
    void setSource(std::string name) { source_ = std::move(name); }
    bool isWatching() const { return watching_; }
    double idleThreshold() const { return idleSeconds_; }
    void reportIdle() {
        if (watching_ && observer_.idle) {
            observer_.idle();
        }
    }
    void reportActive(double idleSeconds) {
        if (watching_ && observer_.active) {
            observer_.active(idleSeconds);
        }
    }
    void setLocked(bool locked) {
        locked_ = locked;
        if (watching_ && observer_.lockChanged) {
            observer_.lockChanged(locked);
        }
    }

private:
    std::string source_ = "Sim";
    Observer observer_;
    double idleSeconds_ = 0;
    bool watching_ = false;
    bool locked_ = false;
};

// Full-screen and do-not-disturb as the test scripts them.
class SimBusyMonitor : public BusyMonitor {
public:
    std::string source() const override { return source_; }
    void watch(std::function<void(State)> changed) override { changed_ = std::move(changed); }
    void unwatch() override { changed_ = nullptr; }
    State state() const override { return state_; }

    void setSource(std::string name) { source_ = std::move(name); }
    bool isWatching() const { return static_cast<bool>(changed_); }
    void setState(State state) {
        const bool changed = !(state == state_);
        state_ = state;
        if (changed && changed_) {
            changed_(state_);
        }
    }

private:
    std::string source_ = "Sim";
    std::function<void(State)> changed_;
    State state_;
};

} // namespace quillmere::sim
