#pragma once

#include "platform/Panel.h"

#include <functional>

namespace quillmere {

class AppIcon;
class BuildInfo;
class Cfg;

// The About content: logo, name, date, version, build, the licence, notice and support lines.
class AboutView : public HostedView {
public:
    // Layout, in points.
    static constexpr double LogoHeight = 50;
    static constexpr double LogoTrailingPadding = 12;
    static constexpr double SectionBottomPadding = 12;
    static constexpr double ButtonLabelPadding = 5;

    static constexpr const char* WebSite = "https://quillmere.org";
    static constexpr const char* LicenseLine = "[License](https://quillmere.org/license.txt)";
    static constexpr const char* NoticeLine = "© 2026 [Quillmere](https://quillmere.org)";
    static constexpr const char* SupportLine =
        "[Support](https://quillmere.org/donate) development";
    static constexpr const char* OkButton = "OK";

    AboutView(const Cfg& cfg, const BuildInfo& buildInfo, AppIcon& icon);

    ViewNode body() override;

    // Set by the window host: closes the window.
    std::function<void()> _done = [] {};

private:
    const Cfg* cfg_;
    const BuildInfo* buildInfo_;
    AppIcon* icon_;
};

} // namespace quillmere
