#pragma once

#include "platform/Panel.h"
#include "platform/Translator.h"

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
    //: %1 is the version number
    static constexpr Text VersionLine = translatable("AboutView", "Version: %1");
    //: %1 is the build number
    static constexpr Text BuildLine = translatable("AboutView", "Build: %1");
    //: Markdown: keep the brackets, the parentheses and the address
    static constexpr Text LicenseLine =
        translatable("AboutView", "[License](https://quillmere.org/license.txt)");
    //: Markdown: keep the brackets, the parentheses and the address
    static constexpr Text NoticeLine =
        translatable("AboutView", "© 2026 [Quillmere](https://quillmere.org)");
    //: Markdown: keep the brackets, the parentheses and the address
    static constexpr Text SupportLine =
        translatable("AboutView", "[Support](https://quillmere.org/donate) development");
    static constexpr Text OkButton = translatable("AboutView", "OK");

    AboutView(const Cfg& cfg, const BuildInfo& buildInfo, AppIcon& icon,
              const Translator& translator);

    ViewNode body() override;

    // Set by the window host: closes the window.
    std::function<void()> _done = [] {};

private:
    const Cfg* cfg_;
    const BuildInfo* buildInfo_;
    AppIcon* icon_;
    const Translator* translator_;
};

} // namespace quillmere
