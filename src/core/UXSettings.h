#pragma once

#include "core/SettingsView.h"
#include "core/UXWindow.h"

namespace quillmere {

class Platform;

// The Settings window: the modal host of one SettingsView, in the heads-up look.
class UXSettings : public UXWindow<SettingsView> {
public:
    UXSettings(Cfg& cfg, UXAudio& audio, AppIcon& icon, Platform& platform);
};

} // namespace quillmere
