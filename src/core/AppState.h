#pragma once

namespace quillmere {

// The controller's state (App::State).
enum class AppState {
    Init,      // constructed, the first work interval not yet started
    Timing,    // a work interval is running
    Reminding, // the interval has ended and a break reminder is pending
    Paused,    // no interval runs until the pause ends by itself or is resumed
};

// What an armed timer is for (App::TimerType).
enum class AppTimerType {
    Timer,    // the end of a work interval
    Reminder, // a snoozed reminder coming due
    Pause,    // the end of a pause
};

} // namespace quillmere
