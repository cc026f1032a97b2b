#include "core/UXSettings.h"

#include "platform/Platform.h"

namespace quillmere {

UXSettings::UXSettings(Cfg& cfg, UXAudio& audio, AppIcon& icon, Platform& platform)
    : UXWindow(platform.runLoop(), platform.createPanel(),
               SettingsView(
                   cfg, audio, icon, platform.application(),
                   [&platform] { return platform.createAlert(); }, platform.presence(),
                   platform.busyMonitor(), platform.autostart(), platform.translator()),
               PanelStyle::HudWindow) {}

} // namespace quillmere
