#pragma once

#include "platform/StatusItem.h"
#include "platform/WakeNotifier.h"

#include <functional>
#include <memory>

class QWidget;

namespace quillmere {
class DefaultsStore;
}

namespace quillmere::qt {

// What differs between operating systems, implemented once per system in its own folder.

// The wake-from-sleep notification of this system.
std::unique_ptr<WakeNotifier> makeWakeNotifier();

// The status item of this system's desktop; `store` keeps what it remembers between runs.
std::unique_ptr<StatusItem> makeStatusItem(DefaultsStore& store);

// Asks the window manager to show `window` on every workspace; call it before the window maps.
void showOnAllWorkspaces(QWidget& window);

// Calls `handler` on the main thread when the system asks the program to end (a logout, a
// shutdown, Ctrl+C in a terminal), so that it ends as if the user had chosen Quit.
void onTerminationRequest(std::function<void()> handler);

} // namespace quillmere::qt
