#pragma once

#include "platform/BusyMonitor.h"
#include "platform/Presence.h"
#include "platform/StatusItem.h"
#include "platform/WakeNotifier.h"

#include <functional>
#include <memory>

namespace quillmere::qt {

// What differs between operating systems, implemented once per system in its own folder.

// The wake-from-sleep notification of this system.
std::unique_ptr<WakeNotifier> makeWakeNotifier();

// The status item of this system's desktop.
std::unique_ptr<StatusItem> makeStatusItem();

// Idle, back and screen locks, from whatever this desktop answers.
std::unique_ptr<Presence> makePresence();

// Full screen and do-not-disturb, from whatever this desktop answers.
std::unique_ptr<BusyMonitor> makeBusyMonitor();

// Calls `handler` on the main thread when the system asks the program to end (a logout, a
// shutdown, Ctrl+C in a terminal), so that it ends as if the user had chosen Quit.
void onTerminationRequest(std::function<void()> handler);

} // namespace quillmere::qt
