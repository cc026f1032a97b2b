#include "core/UXAbout.h"

#include "platform/Platform.h"

namespace quillmere {

UXAbout::UXAbout(const Cfg& cfg, const BuildInfo& buildInfo, AppIcon& icon, Platform& platform)
    : UXWindow(platform.runLoop(), platform.createPanel(),
               AboutView(cfg, buildInfo, icon, platform.translator()), PanelStyle::HudWindow) {
    window().setTitleHidden(true);
}

} // namespace quillmere
