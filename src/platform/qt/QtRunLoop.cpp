#include "platform/qt/QtRunLoop.h"

#include "platform/Duration.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace quillmere::qt {

namespace {

using Steady = std::chrono::steady_clock;

// QTimer takes an int of milliseconds: longer waits are covered in steps.
constexpr std::chrono::milliseconds LongestStep{24 * 60 * 60 * 1000};
// Repeating timers never spin.
constexpr std::chrono::milliseconds ShortestRepeat{1};

Steady::time_point deadlineAfter(std::chrono::nanoseconds wait) {
    const auto now = Steady::now().time_since_epoch();
    return Steady::time_point(
        saturatingAdd(std::chrono::duration_cast<std::chrono::nanoseconds>(now), wait));
}

} // namespace

class QtRunLoop::QtTimer : public Timer, public std::enable_shared_from_this<QtTimer> {
public:
    QtTimer(QtRunLoop& loop, std::string name, std::any userInfo, TimerCallback callback,
            bool repeats, std::chrono::nanoseconds interval)
        : loop_(loop)
        , name_(std::move(name))
        , userInfo_(std::move(userInfo))
        , callback_(std::move(callback))
        , repeats_(repeats)
        , interval_(interval) {
        qtimer_.setSingleShot(true);
        // The interval timer must end on time; the once-a-second refresh may be coarse and so
        // cheaper to wake up for.
        qtimer_.setTimerType(repeats ? Qt::CoarseTimer : Qt::PreciseTimer);
        QObject::connect(&qtimer_, &QTimer::timeout, &qtimer_, [this] { expired(); });
    }

    void start() {
        deadline_ = deadlineAfter(interval_);
        // A timer repeating in whole seconds ticks on the whole seconds of the monotonic clock,
        // where Qt puts its coarse timers too (a tray poll, a clock check): they then share the
        // program's wake-ups instead of adding their own.
        if (repeats_ && interval_ % std::chrono::seconds(1) == std::chrono::nanoseconds(0)) {
            deadline_ = std::chrono::round<std::chrono::seconds>(deadline_);
        }
        arm();
    }

    void invalidate() override {
        valid_ = false;
        qtimer_.stop();
    }
    bool isValid() const override { return valid_; }
    const std::any& userInfo() const override { return userInfo_; }
    const std::string& name() const override { return name_; }

    // Runs the callback; a one-shot timer stays valid until it returns.
    void fire() {
        if (!valid_) {
            return;
        }
        auto keepAlive = shared_from_this();
        callback_(*this);
        if (!repeats_) {
            valid_ = false;
        }
    }

private:
    void arm() {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Steady::now());
        const auto wait = std::clamp(left + std::chrono::milliseconds(1),
                                     std::chrono::milliseconds(0), LongestStep);
        // Qt lets a coarse timer fire up to 5 % of its wait early (it moves it onto a whole
        // second where it can); armed again for the rest, the refresh woke the program two or
        // three times a second. Such an early expiry counts as on time.
        slack_ = repeats_ ? wait / 20 + std::chrono::milliseconds(1) : std::chrono::nanoseconds(0);
        qtimer_.start(wait);
    }

    void expired() {
        ++loop_.timerWakeups_;
        if (!valid_) {
            return;
        }
        const auto now = Steady::now();
        if (now + slack_ < deadline_) {
            arm(); // a long wait in steps, or a precise timer woken early
            return;
        }
        if (repeats_) {
            // Stay on the grid; firings missed while held or asleep are dropped.
            const auto late = std::max(now - deadline_, Steady::duration::zero());
            deadline_ += interval_ * (late / interval_ + 1);
            arm();
        }
        if (loop_.inModalRun()) {
            loop_.hold(shared_from_this());
            return;
        }
        fire();
    }

    QtRunLoop& loop_;
    std::string name_;
    std::any userInfo_;
    TimerCallback callback_;
    bool repeats_;
    std::chrono::nanoseconds interval_;
    Steady::time_point deadline_;
    std::chrono::nanoseconds slack_{0}; // how early an expiry may come and still count
    bool valid_ = true;
    QTimer qtimer_;
};

QtRunLoop::ModalScope::ModalScope(QtRunLoop& loop)
    : loop_(loop) {
    loop_.enterModal();
}
QtRunLoop::ModalScope::~ModalScope() {
    loop_.leaveModal();
}

QtRunLoop::QtRunLoop() = default;
QtRunLoop::~QtRunLoop() = default;

WallTime QtRunLoop::now() const {
    return std::chrono::time_point_cast<std::chrono::duration<double>>(
        std::chrono::system_clock::now());
}

std::shared_ptr<Timer> QtRunLoop::scheduleTimer(double intervalSeconds, bool repeats,
                                                std::string name, std::any userInfo,
                                                TimerCallback callback) {
    std::chrono::nanoseconds interval = saturatingNanoseconds(intervalSeconds);
    if (repeats) {
        interval = std::max<std::chrono::nanoseconds>(interval, ShortestRepeat);
    }
    auto timer = std::make_shared<QtTimer>(*this, std::move(name), std::move(userInfo),
                                           std::move(callback), repeats, interval);
    timer->start();
    std::erase_if(scheduled_, [](const auto& t) { return !t->isValid(); });
    scheduled_.push_back(timer);
    return timer;
}

void QtRunLoop::enterModal() {
    ++modalDepth_;
}

void QtRunLoop::leaveModal() {
    --modalDepth_;
    if (modalDepth_ == 0 && !held_.empty()) {
        // Fire from the event loop, after the code that ran the modal loop has carried on.
        QTimer::singleShot(0, this, [this] { fireHeld(); });
    }
}

void QtRunLoop::hold(const std::shared_ptr<QtTimer>& timer) {
    for (const auto& held : held_) {
        if (held.lock() == timer) {
            return; // held once, however often it came due
        }
    }
    held_.push_back(timer);
}

void QtRunLoop::fireHeld() {
    if (inModalRun()) {
        return; // another modal run began first: its end fires them
    }
    const auto due = std::exchange(held_, {});
    for (const auto& weak : due) {
        if (auto timer = weak.lock()) {
            timer->fire();
        }
    }
}

void QtRunLoop::runModalForWindow(Panel& panel) {
    ModalScope modal(*this);
    QEventLoop loop;
    modalLoops_.push_back(&loop);
    if (present_) {
        present_(panel);
    }
    loop.exec(QEventLoop::DialogExec);
    modalLoops_.pop_back();
}

void QtRunLoop::stopModal() {
    if (!modalLoops_.empty()) {
        modalLoops_.back()->quit();
    }
}

void QtRunLoop::orderFrontModalWindow() {
    // The newest modal window is the one that takes input: a panel, or an alert over it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace quillmere::qt
