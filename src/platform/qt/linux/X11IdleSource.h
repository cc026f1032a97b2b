#pragma once

#include "platform/Presence.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

namespace quillmere::qt {

class XcbConnection;

// How long the X server has seen no input, told by the server itself when the idle time crosses
// the threshold and at the first input after it: the SYNC extension's IDLETIME counter with two
// alarms, or, where a server lacks that counter, its own screen saver (MIT-SCREEN-SAVER) going on
// and off. Nothing is polled. Under Xwayland the server only sees input meant for X programs, so
// a Wayland desktop's own source is the better one there.
class X11IdleSource : public Presence {
public:
    enum class Method { IdleCounter, ScreenSaver };

    // The source on the display DISPLAY names, by the counter where the server has it, else by
    // the screen saver where one is set to come on; none without an X server or either way.
    static std::unique_ptr<X11IdleSource> create();
    // The same with one method only.
    static std::unique_ptr<X11IdleSource> create(Method method);
    ~X11IdleSource() override;

    Method method() const { return method_; }
    std::string source() const override { return "X11"; }
    // Idle is told `idleSeconds` after the last input (with the screen saver, once the saver has
    // come on as well); a threshold that is not a positive number watches nothing, one longer
    // than about 24 days is cut to that.
    void watch(double idleSeconds, Observer observer) override;
    void unwatch() override;
    // The screen lock comes from the desktop's own sources.
    bool isScreenLocked() const override { return false; }

private:
    static std::unique_ptr<X11IdleSource> open(std::optional<Method> only);
    X11IdleSource(std::unique_ptr<XcbConnection> connection, Method method,
                  std::uint32_t idleCounter, std::uint8_t firstEvent);
    void watchCounter();
    void watchScreenSaver();
    void screenSaverOn(std::int64_t idleMs);
    void screenSaverOff();
    void becomeIdle(std::int64_t idleMs);
    void becomeActive();

    std::unique_ptr<XcbConnection> connection_;
    Method method_;
    std::uint32_t idleCounter_;
    std::uint8_t firstEvent_;

    Observer observer_;
    bool watching_ = false;
    // Counts the watches, so that a call posted for an earlier one is told apart.
    std::uint64_t watchCount_ = 0;
    std::int64_t thresholdMs_ = 0;
    // Fresh alarm ids for every watch, so that an event of an earlier watch is told apart.
    std::uint32_t idleAlarm_ = 0;
    std::uint32_t activeAlarm_ = 0;
    bool idle_ = false;
    std::int64_t idleMsWhenSeen_ = 0;
    std::chrono::steady_clock::time_point idleSeenAt_;
    bool saverOn_ = false;
    QTimer saverWait_;
    // Owns the calls posted to the event loop, so that none outlives the source.
    QObject posted_;
};

} // namespace quillmere::qt
