#include "core/AboutView.h"

#include "core/AppIcon.h"
#include "core/BuildInfo.h"
#include "core/Cfg.h"

namespace quillmere {

namespace {
using Alignment = ViewNode::Alignment;
constexpr double Default = ViewNode::DefaultLength;
} // namespace

AboutView::AboutView(const Cfg& cfg, const BuildInfo& buildInfo, AppIcon& icon,
                     const Translator& translator)
    : cfg_(&cfg)
    , buildInfo_(&buildInfo)
    , icon_(&icon)
    , translator_(&translator) {}

ViewNode AboutView::body() {
    std::vector<ViewNode> top;
    // In test mode, or without a logo, the name and date stand alone in the top row.
    if (std::optional<ViewNode> logo =
            cfg_->isTest() ? std::nullopt : icon_->view(LogoHeight, LogoTrailingPadding)) {
        top.push_back(std::move(*logo));
    }
    top.push_back(ViewNode::vstack(
        Alignment::Trailing, {ViewNode::label(Cfg::Name, ViewNode::TextStyle::Title2),
                              ViewNode::label(buildInfo_->date(), ViewNode::TextStyle::Caption)}));
    ViewNode topRow = ViewNode::hstack(Alignment::Center, std::move(top));
    topRow.withPadding(0, 0, SectionBottomPadding, 0);

    ViewNode build = ViewNode::label((*translator_)(BuildLine, buildInfo_->build()));
    build.withPadding(0, 0, SectionBottomPadding, 0);
    ViewNode notice = ViewNode::markdownText((*translator_)(NoticeLine));
    notice.withPadding(0, 0, SectionBottomPadding, 0);
    ViewNode support = ViewNode::markdownText((*translator_)(SupportLine));
    support.withPadding(0, 0, SectionBottomPadding, 0);
    ViewNode ok = ViewNode::button((*translator_)(OkButton), [this] { _done(); });
    ok.withPadding(ButtonLabelPadding, ButtonLabelPadding, ButtonLabelPadding, ButtonLabelPadding);
    ok.defaultAction = true;

    ViewNode content = ViewNode::vstack(
        Alignment::Center,
        {std::move(topRow), ViewNode::label((*translator_)(VersionLine, buildInfo_->version())),
         std::move(build), ViewNode::markdownText((*translator_)(LicenseLine)), std::move(notice),
         std::move(support), std::move(ok)});
    content.withPadding(Default, Default, Default, Default);
    content.fixedSize = true;
    return content;
}

} // namespace quillmere
