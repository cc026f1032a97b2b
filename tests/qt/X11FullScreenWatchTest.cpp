// The full-screen check on a private Xvfb with a window manager: it follows the active window
// and that window's state, by the window manager's own properties.
#include "PrivateBus.h"
#include "PrivateDisplay.h"

#include "platform/qt/linux/X11FullScreenWatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillmere::testing {
namespace {

using qt::X11FullScreenWatch;

TEST(X11FullScreenWatchTest, FullScreenWhileTheActiveWindowIsFullScreen) {
    PrivateDisplay display;
    if (!display.isRunning()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    ASSERT_TRUE(display.startWindowManager());
    auto check = X11FullScreenWatch::create();
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->source(), "X11 full-screen");

    std::vector<bool> told;
    check->watch([&](BusyMonitor::State state) {
        EXPECT_FALSE(state.doNotDisturb);
        told.push_back(state.fullScreen);
    });
    EXPECT_FALSE(check->state().fullScreen);
    const auto lastTold = [&](bool fullScreen) {
        return waitUntil([&] { return !told.empty() && told.back() == fullScreen; });
    };

    const xcb_window_t video = display.createWindow();
    const xcb_window_t editor = display.createWindow();
    display.activate(video);
    display.setFullScreen(video, true);
    ASSERT_TRUE(lastTold(true));
    EXPECT_TRUE(check->state().fullScreen);

    display.activate(editor);
    ASSERT_TRUE(lastTold(false));
    display.activate(video); // followed again when it comes back
    ASSERT_TRUE(lastTold(true));
    display.setFullScreen(video, false);
    ASSERT_TRUE(lastTold(false));
    // Only changes are told.
    EXPECT_EQ(told, (std::vector<bool>{true, false, true, false}));

    // Unwatched it tells nothing, and still answers when asked.
    check->unwatch();
    display.setFullScreen(video, true);
    ASSERT_TRUE(waitUntil([&] { return check->state().fullScreen; }));
    EXPECT_EQ(told.size(), 4U);
}

} // namespace
} // namespace quillmere::testing
