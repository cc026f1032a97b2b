#pragma once

#include "platform/Clock.h"
#include "platform/RunLoop.h"

#include <QObject>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QEventLoop;

namespace quillmere::qt {

// Timers on Qt's event loop, in the default mode only: Qt's nested loops (a dialog's exec, a
// modal window) would fire them, so the run loop holds every timer while a modal run is active
// and fires each one that came due once, from the event loop, after the outermost run ended.
class QtRunLoop : public QObject, public RunLoop, public Clock {
public:
    // Marks a modal run that its owner drives with its own nested loop (a QMessageBox's exec).
    class ModalScope {
    public:
        explicit ModalScope(QtRunLoop& loop);
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

    private:
        QtRunLoop& loop_;
    };

    QtRunLoop();
    ~QtRunLoop() override;

    // Puts a panel on screen for a modal run (set by the platform that knows the panel type).
    void setPanelPresenter(std::function<void(Panel&)> present) { present_ = std::move(present); }

    WallTime now() const override;
    std::shared_ptr<Timer> scheduleTimer(double intervalSeconds, bool repeats, std::string name,
                                         std::any userInfo, TimerCallback callback) override;
    void runModalForWindow(Panel& panel) override;
    void stopModal() override;
    bool inModalRun() const override { return modalDepth_ > 0; }
    void orderFrontModalWindow() override;
    // How often a timer of this loop woke the thread up, whether or not it then fired.
    long long timerWakeups() const { return timerWakeups_; }

private:
    class QtTimer;
    friend class QtTimer;

    void enterModal();
    void leaveModal();
    void hold(const std::shared_ptr<QtTimer>& timer);
    void fireHeld();

    int modalDepth_ = 0;
    long long timerWakeups_ = 0;
    std::vector<QEventLoop*> modalLoops_;
    std::vector<std::weak_ptr<QtTimer>> held_;
    // Scheduled timers live as long as they are valid, whoever else holds them.
    std::vector<std::shared_ptr<QtTimer>> scheduled_;
    std::function<void(Panel&)> present_;
};

} // namespace quillmere::qt
