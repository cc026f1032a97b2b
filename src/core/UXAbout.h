#pragma once

#include "core/AboutView.h"
#include "core/UXWindow.h"

namespace quillmere {

class Platform;

// The About window: the modal host of one AboutView, in the heads-up look, title hidden.
class UXAbout : public UXWindow<AboutView> {
public:
    UXAbout(const Cfg& cfg, const BuildInfo& buildInfo, AppIcon& icon, Platform& platform);
};

} // namespace quillmere
