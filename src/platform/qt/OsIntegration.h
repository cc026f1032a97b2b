#pragma once

#include "platform/Autostart.h"
#include "platform/BusyMonitor.h"
#include "platform/Notifications.h"
#include "platform/Presence.h"
#include "platform/RemoteControl.h"
#include "platform/StatusItem.h"
#include "platform/Translator.h"
#include "platform/WakeNotifier.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace quillmere {
class DefaultsStore;
}

namespace quillmere::qt {

// What differs between operating systems, implemented once per system in its own folder.

// Before Qt starts: none when the program can open a window as started (Qt aborts when it can't),
// else why not, in a line for the user.
std::optional<Text> missingGraphicalSession(int argc, const char* const argv[]);
// The folder of the running executable; also before the application object exists.
QString executableFolder();

// A folder for the user's runtime files (lock, socket) that no other user can write or take the
// name of first; empty when there is none to be had safely.
QString privateRuntimeFolder();
// A real folder (not a link) that this user owns and no one else can write.
bool isPrivateFolder(const QString& folder);

// The wake-from-sleep notification of this system.
std::unique_ptr<WakeNotifier> makeWakeNotifier();

// The status item of this system's desktop; `store` keeps what it remembers between runs.
std::unique_ptr<StatusItem> makeStatusItem(DefaultsStore& store);

// Asks the window manager to show `window` on every workspace; call it before the window maps.
void showOnAllWorkspaces(QWidget& window);

// Idle, back and screen locks, from whatever this desktop answers.
std::unique_ptr<Presence> makePresence();

// Full screen and do-not-disturb, from whatever this desktop answers.
std::unique_ptr<BusyMonitor> makeBusyMonitor();

// Start at login by this system's rules, starting the program at `executable`.
std::unique_ptr<Autostart> makeAutostart(const QString& executable);

// The desktop's notifications; nothing is connected to before the first one.
std::unique_ptr<Notifications> makeNotifications();
// The desktop's way in for other programs (on Linux the session bus); started when the status
// item shows.
std::unique_ptr<RemoteControl> makeBusControl();

// Calls `handler` on the main thread when the system asks the program to end (a logout, a
// shutdown, Ctrl+C in a terminal), so that it ends as if the user had chosen Quit.
void onTerminationRequest(std::function<void()> handler);

} // namespace quillmere::qt
