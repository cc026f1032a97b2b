#pragma once

#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/Audio.h"
#include "platform/Autostart.h"
#include "platform/BusyMonitor.h"
#include "platform/Clock.h"
#include "platform/DefaultsStore.h"
#include "platform/Menu.h"
#include "platform/NonCopyable.h"
#include "platform/Notifications.h"
#include "platform/Panel.h"
#include "platform/Presence.h"
#include "platform/RemoteControl.h"
#include "platform/Resources.h"
#include "platform/RunLoop.h"
#include "platform/StatusItem.h"
#include "platform/SystemLog.h"
#include "platform/Translator.h"
#include "platform/WakeNotifier.h"

#include <memory>
#include <vector>

namespace quillmere {

// Every desktop service the units use, chosen once by the process entry.
class Platform : NonCopyable {
public:
    virtual ~Platform() = default;
    virtual Clock& clock() = 0;
    virtual RunLoop& runLoop() = 0;
    virtual Application& application() = 0;
    virtual Resources& resources() = 0;
    virtual DefaultsStore& defaults() = 0;
    virtual Audio& audio() = 0;
    virtual WakeNotifier& wakeNotifier() = 0;
    virtual SystemLog& systemLog() = 0;
    // The user's language for every text a person sees.
    virtual const Translator& translator() = 0;
    // Whether the person is there: idle, active again, screen locked.
    virtual Presence& presence() = 0;
    // Whether a full-screen window or do-not-disturb would be interrupted.
    virtual BusyMonitor& busyMonitor() = 0;
    // Whether the program starts when the user logs in.
    virtual Autostart& autostart() = 0;
    // The desktop's notifications.
    virtual Notifications& notifications() = 0;
    // A new item in the status area, `length` points wide.
    virtual std::unique_ptr<StatusItem> createStatusItem(double length) = 0;
    virtual std::unique_ptr<Menu> createMenu() = 0;
    virtual std::unique_ptr<Alert> createAlert() = 0;
    virtual std::unique_ptr<Panel> createPanel() = 0;
    // The ways in for commands from other programs; none where the desktop offers none.
    virtual std::vector<RemoteControl*> remoteControls() { return {}; }
};

} // namespace quillmere
