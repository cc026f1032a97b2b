#pragma once

#include "core/Cfg.h"
#include "platform/Panel.h"
#include "platform/RunLoop.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace quillmere {

// The host of one view in a modal panel: no visible title or title-bar buttons, movable by its
// background, centred on every run, closed only by the view through its `_done` action.
// `View` is a HostedView with a settable `std::function<void()> _done`.
template <typename View> class UXWindow {
public:
    UXWindow(RunLoop& runLoop, std::unique_ptr<Panel> panel, View view, std::uint64_t styleMask)
        : view_(std::move(view))
        , window_(std::move(panel))
        , runLoop_(runLoop) {
        // The host's own copy of the view closes the window; the caller's `_done` is dropped.
        view_._done = [this] { window_->close(); };
        window_->setContentView(view_);
        window_->setWillClose([this] { windowWillClose(); });
        window_->setTitle(Cfg::Name);
        window_->setStyleMask(window_->styleMask() | styleMask);
        for (StandardButton button :
             {StandardButton::Close, StandardButton::Miniaturize, StandardButton::Zoom}) {
            if (window_->hasStandardButton(button)) {
                window_->hideStandardButton(button);
            }
        }
        window_->setPreventsApplicationTerminationWhenModal(true);
        window_->setMovableByWindowBackground(true);
        if (window_->hasContentView()) {
            window_->setContentHidden(true);
        }
        window_->setTitleHidden(true);
        window_->setTitlebarAppearsTransparent(true);
    }
    UXWindow(const UXWindow&) = delete;
    UXWindow& operator=(const UXWindow&) = delete;

    // Shows the panel modally; returns after it has closed, then calls `onComplete` once.
    // While any modal run is open (this window's, another's, the reminder) the window in front of
    // it comes to the front and nothing starts: a second run on a panel already running could
    // never end, and runs end innermost first, so none may start under another's feet.
    void runModal(const std::function<void()>& onComplete) {
        if (runLoop_.inModalRun()) {
            runLoop_.orderFrontModalWindow();
            return;
        }
        // A view that shows something kept outside the program reads it afresh.
        if constexpr (requires { view_.windowWillOpen(); }) {
            view_.windowWillOpen();
        }
        window_->center();
        if (window_->hasContentView()) {
            window_->setContentHidden(false);
        }
        runLoop_.runModalForWindow(*window_);
        if (window_->hasContentView()) {
            window_->setContentHidden(true);
        }
        onComplete();
    }

    // "windowWillClose:": any close of the panel ends its modal run.
    void windowWillClose() { runLoop_.stopModal(); }

    Panel& window() { return *window_; }
    View& view() { return view_; }

private:
    // Declared first: the panel renders the view until its very end, so the view outlives it.
    View view_;
    std::unique_ptr<Panel> window_;
    RunLoop& runLoop_;
};

} // namespace quillmere
