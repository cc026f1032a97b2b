#include "core/Attention.h"

#include "core/Cfg.h"
#include "platform/Platform.h"

#include <algorithm>

namespace quillmere {

namespace {

// About ten years: no idle time an adapter reports can be longer.
constexpr double LongestPlausibleIdle = 3.2e8;

// An idle time an adapter could not have measured (NaN, decades) tells nothing. A negative one
// can stay: it reaches into the future and so never makes an absence longer.
double plausibleIdle(double seconds) {
    return seconds < LongestPlausibleIdle ? seconds : 0.0;
}

} // namespace

Attention::Attention(Cfg& cfg, Platform& platform, Handlers handlers)
    : cfg_(cfg)
    , presence_(platform.presence())
    , busyMonitor_(platform.busyMonitor())
    , runLoop_(platform.runLoop())
    , clock_(platform.clock())
    , handlers_(std::move(handlers)) {}

Attention::~Attention() {
    if (watchingPresence_) {
        presence_.unwatch();
    }
    if (watchingBusy_) {
        busyMonitor_.unwatch();
    }
    if (handOn_) {
        handOn_->invalidate();
    }
}

void Attention::start() {
    watch();
}

void Attention::settingsChanged() {
    // Through the queue too: switching a hold off in the Settings window must not bring a
    // reminder up over it.
    post({Report::Kind::Settings, clock_.now()});
}

bool Attention::holdsReminders() const {
    return idle_ || locked_ || busy_.fullScreen || busy_.doNotDisturb;
}

bool Attention::onBreak() const {
    return awaySince_ && (clock_.now() - *awaySince_).count() >= breakSeconds();
}

double Attention::breakSeconds() const {
    return static_cast<double>(cfg_.awayMinutes()) * (cfg_.isTest() ? TestMinute : 60);
}

double Attention::idleThreshold() const {
    return cfg_.isTest() ? TestIdleThreshold : IdleThreshold;
}

void Attention::post(Report report) {
    pending_.push_back(report);
    // One timer hands on everything queued; while it runs (a handler may run the reminder's
    // modal loop) what arrives joins the same queue.
    if (!handOn_ || !handOn_->isValid()) {
        handOn_ =
            runLoop_.scheduleTimer(0, false, EntryPoint, {}, [this](Timer&) { handlePending(); });
    }
}

void Attention::handlePending() {
    while (!pending_.empty()) {
        const Report report = pending_.front();
        pending_.pop_front();
        handle(report);
        if (!holdsReminders()) {
            handlers_.released();
        }
    }
}

void Attention::handle(const Report& report) {
    using Kind = Report::Kind;
    if (report.kind == Kind::Settings) {
        watch();
        return;
    }
    if (report.kind == Kind::Busy) {
        // A report sent before the watch ended is stale.
        if (watchingBusy_) {
            busy_ = report.busy;
        }
        return;
    }
    if (!watchingPresence_) {
        return;
    }
    switch (report.kind) {
    case Kind::Idle:
        idle_ = true;
        goAway(report.at - std::chrono::duration<double>(idleThreshold()));
        break;
    case Kind::Locked:
        // A locked screen is an absence at once.
        locked_ = true;
        goAway(report.at);
        break;
    case Kind::Active:
        idle_ = false;
        goAway(report.at - std::chrono::duration<double>(plausibleIdle(report.idleSeconds)));
        // Input on the lock screen is not the person back at work: unlocking is.
        if (!locked_) {
            comeBack(report.at);
        }
        break;
    case Kind::Unlocked:
        locked_ = false;
        idle_ = false;
        comeBack(report.at);
        break;
    default:
        break;
    }
}

void Attention::goAway(WallTime since) {
    // The earliest sign counts: idle before the lock, or the wall clock over a sleep.
    awaySince_ = awaySince_ ? std::min(*awaySince_, since) : since;
}

void Attention::comeBack(WallTime at) {
    if (!awaySince_) {
        return; // an unlock nobody saw the lock of
    }
    const double away = (at - *awaySince_).count();
    awaySince_.reset();
    if (away >= breakSeconds()) {
        handlers_.naturalBreak(away);
    }
}

void Attention::watch() {
    const bool presence = cfg_.naturalBreaks();
    if (presence && !watchingPresence_) {
        presence_.watch(
            idleThreshold(),
            {[this] {
                 post({Report::Kind::Idle, clock_.now()});
             },
             [this](double idleSeconds) {
                 post({Report::Kind::Active, clock_.now(), idleSeconds});
             },
             [this](bool locked) {
                 post({locked ? Report::Kind::Locked : Report::Kind::Unlocked, clock_.now()});
             }});
        if (presence_.isScreenLocked()) {
            locked_ = true;
            goAway(clock_.now());
        }
    } else if (!presence && watchingPresence_) {
        presence_.unwatch();
        idle_ = false;
        locked_ = false;
        awaySince_.reset();
    }
    watchingPresence_ = presence;

    const bool busy = cfg_.holdWhenBusy();
    if (busy && !watchingBusy_) {
        busyMonitor_.watch([this](BusyMonitor::State state) {
            post({Report::Kind::Busy, clock_.now(), {}, state});
        });
        busy_ = busyMonitor_.state();
    } else if (!busy && watchingBusy_) {
        busyMonitor_.unwatch();
        busy_ = {};
    }
    watchingBusy_ = busy;
}

} // namespace quillmere
