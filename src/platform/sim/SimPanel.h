#pragma once

#include "platform/Panel.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quillmere::sim {

// A panel whose modal runs play scripts: each run takes the next script, which acts as the user
// would (sets the minutes, picks a sound, presses OK) through the hosted view's bindings.
class SimPanel : public Panel {
public:
    using Script = std::function<void(SimPanel&)>;

    // Queues what the user does during the next modal run.
    void onNextRun(Script script) { scripts_.push_back(std::move(script)); }

    // The hosted view's content, rendered now.
    ViewNode render();
    // Every text shown, in order (labels, Markdown lines, button labels).
    std::vector<std::string> texts();
    // The first control in the row labelled `label`, or the first of `kind` there.
    std::optional<ViewNode> control(const std::string& label,
                                    std::optional<ViewNode::Kind> kind = std::nullopt);
    // User actions; each returns false when the control is not there or is disabled.
    bool press(const std::string& buttonLabel);
    bool setNumber(const std::string& label, std::int64_t value);
    bool submit(const std::string& label);
    bool setToggle(const std::string& label, bool on);
    bool pick(const std::string& label, const std::string& choice);
    // Return outside a field: presses the enabled default button; false when there is none.
    bool pressReturn();
    // The kinds of the controls a click gives the keyboard focus, in the order shown.
    std::vector<ViewNode::Kind> focusableKinds();

    // Records.
    bool isOnScreen() const { return onScreen_; }
    int centerCount() const { return centerCount_; }
    int presentCount() const { return presentCount_; }
    bool contentHidden() const { return contentHidden_; }
    const std::string& title() const { return title_; }
    bool titleHidden() const { return titleHidden_; }
    bool titlebarTransparent() const { return titlebarTransparent_; }
    bool movableByBackground() const { return movable_; }
    bool preventsTerminationWhenModal() const { return preventsTermination_; }
    bool standardButtonHidden(StandardButton button) const { return hiddenButtons_.count(button); }
    HostedView* contentView() const { return content_; }

    // Called by the sim run loop: puts the panel on screen and plays the next script.
    void present();

    // Panel.
    void setContentView(HostedView& view) override { content_ = &view; }
    bool hasContentView() const override { return content_ != nullptr; }
    void setContentHidden(bool hidden) override { contentHidden_ = hidden; }
    void setWillClose(std::function<void()> willClose) override {
        willClose_ = std::move(willClose);
    }
    void setTitle(const std::string& title) override { title_ = title; }
    std::uint64_t styleMask() const override { return styleMask_; }
    void setStyleMask(std::uint64_t mask) override { styleMask_ = mask; }
    bool hasStandardButton(StandardButton) const override { return true; }
    void hideStandardButton(StandardButton button) override { hiddenButtons_.insert(button); }
    void setPreventsApplicationTerminationWhenModal(bool p) override { preventsTermination_ = p; }
    void setMovableByWindowBackground(bool movable) override { movable_ = movable; }
    void setTitleHidden(bool hidden) override { titleHidden_ = hidden; }
    void setTitlebarAppearsTransparent(bool t) override { titlebarTransparent_ = t; }
    void center() override { ++centerCount_; }
    void close() override;

    // The style a new panel starts with (titled, closable), before any flag is added.
    static constexpr std::uint64_t InitialStyleMask = 0x3;

private:
    HostedView* content_ = nullptr;
    std::deque<Script> scripts_;
    std::function<void()> willClose_;
    std::string title_;
    std::uint64_t styleMask_ = InitialStyleMask;
    std::set<StandardButton> hiddenButtons_;
    bool contentHidden_ = false;
    bool titleHidden_ = false;
    bool titlebarTransparent_ = false;
    bool movable_ = false;
    bool preventsTermination_ = false;
    bool onScreen_ = false;
    int centerCount_ = 0;
    int presentCount_ = 0;
};

} // namespace quillmere::sim
