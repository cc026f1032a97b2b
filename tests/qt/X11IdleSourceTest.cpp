// The X server's idle time and the active window's full-screen state, on a private Xvfb: idle
// after the threshold without input, active at the next input with the time it was idle, again
// and again; full screen while the active window is; silence once unwatched.
#include "PrivateBus.h"
#include "PrivateDisplay.h"

#include "platform/qt/linux/X11FullScreenWatch.h"
#include "platform/qt/linux/X11IdleSource.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cmath>

namespace quillmere::testing {
namespace {

using qt::X11IdleSource;

// What a source told, and when, counted from the last input the test made.
struct Reports {
    Presence::Observer observer() {
        return {[this] { idleAfterMs.push_back(sinceInput.elapsed()); },
                [this](double seconds) { active.push_back(seconds); }, nullptr};
    }
    QElapsedTimer sinceInput;
    std::vector<qint64> idleAfterMs;
    std::vector<double> active;
};

class X11Test : public ::testing::Test {
protected:
    void SetUp() override {
        if (!display.isRunning()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
    }
    // Input now (a key, or the pointer moved somewhere new); the seconds `reports` was idle.
    double input(Reports& reports, const char* key = nullptr) {
        const double idleSeconds = reports.sinceInput.elapsed() / 1000.0;
        const QString to = QString::number(moves_ += 10);
        EXPECT_TRUE(
            display.xdotool(key ? QStringList{"key", key} : QStringList{"mousemove", to, to}));
        reports.sinceInput.restart();
        return idleSeconds;
    }
    PrivateDisplay display;
    int moves_ = 0;
};

TEST_F(X11Test, IdleAndActiveByTheServersIdleCounter) {
    auto source = X11IdleSource::create();
    ASSERT_NE(source, nullptr);
    // Xvfb has IDLETIME (xcb's padded struct for a counter entry hides it from a plain reader).
    EXPECT_EQ(source->method(), X11IdleSource::Method::IdleCounter);
    Reports first, second;
    input(first);
    source->watch(0.3, first.observer());
    ASSERT_TRUE(waitUntil([&] { return first.idleAfterMs.size() == 1; }));
    EXPECT_GE(first.idleAfterMs[0], 250) << "idle before the threshold";
    // A source that starts watching when the person is already away says so at once.
    auto late = X11IdleSource::create();
    late->watch(0.3, second.observer());
    ASSERT_TRUE(
        waitUntil([&] { return second.idleAfterMs.size() == 1; }, std::chrono::milliseconds(500)));
    ASSERT_TRUE(waitUntil([&] { return first.sinceInput.elapsed() > 600; }));
    const double idleSeconds = input(first);
    ASSERT_TRUE(waitUntil([&] { return first.active.size() == 1 && second.active.size() == 1; }));
    EXPECT_NEAR(first.active[0], idleSeconds, 0.15);
    EXPECT_NEAR(second.active[0], idleSeconds, 0.15);

    // The alarms stay armed: idle and active again, from a key this time.
    ASSERT_TRUE(waitUntil([&] { return first.idleAfterMs.size() == 2; }));
    EXPECT_GE(first.idleAfterMs[1], 250);
    input(first, "shift");
    ASSERT_TRUE(waitUntil([&] { return first.active.size() == 2; }));
    // Unwatched, the first tells nothing while the second goes through a whole round.
    source->unwatch();
    ASSERT_TRUE(waitUntil([&] { return second.idleAfterMs.size() == 3; }));
    input(second);
    ASSERT_TRUE(waitUntil([&] { return second.active.size() == 3; }));
    EXPECT_EQ(first.idleAfterMs.size() + first.active.size(), 4U);
}

TEST_F(X11Test, WithoutTheCounterTheScreenSaverTells) {
    display.setScreenSaverTimeout(1);
    auto source = X11IdleSource::create(X11IdleSource::Method::ScreenSaver);
    ASSERT_NE(source, nullptr);
    Reports none, reports;
    // A threshold that is no number watches nothing (and converts nothing to an integer).
    source->watch(std::nan(""), none.observer());
    // The saver comes on after a second, before this threshold: idle follows at the threshold.
    input(reports);
    source->watch(1.4, reports.observer());
    ASSERT_TRUE(waitUntil([&] { return reports.idleAfterMs.size() == 1; }));
    EXPECT_GE(reports.idleAfterMs[0], 1300);
    const double idleSeconds = input(reports);
    ASSERT_TRUE(waitUntil([&] { return reports.active.size() == 1; }));
    EXPECT_NEAR(reports.active[0], idleSeconds, 0.15);
    EXPECT_TRUE(none.idleAfterMs.empty());
    // Without a saver that comes on, there is nothing to tell by.
    display.setScreenSaverTimeout(0);
    EXPECT_EQ(X11IdleSource::create(X11IdleSource::Method::ScreenSaver), nullptr);
}

TEST_F(X11Test, FullScreenWhileTheActiveWindowIsFullScreen) {
    auto check = qt::X11FullScreenWatch::create();
    ASSERT_NE(check, nullptr);
    std::vector<bool> told;
    check->watch([&](BusyMonitor::State state) { told.push_back(state.fullScreen); });
    const xcb_window_t video = display.createWindow();
    const xcb_window_t editor = display.createWindow();
    display.setFullScreen(video, true);
    display.activate(video);
    ASSERT_TRUE(waitUntil([&] { return told.size() == 1; }));
    display.activate(editor);
    ASSERT_TRUE(waitUntil([&] { return told.size() == 2; }));
    display.activate(video); // followed again when it comes back
    ASSERT_TRUE(waitUntil([&] { return told.size() == 3; }));
    display.setFullScreen(video, false);
    ASSERT_TRUE(waitUntil([&] { return told.size() == 4; }));
    EXPECT_EQ(told, (std::vector<bool>{true, false, true, false}));
    // Unwatched it tells nothing, and still answers when asked.
    check->unwatch();
    display.setFullScreen(video, true);
    ASSERT_TRUE(waitUntil([&] { return check->state().fullScreen; }));
    EXPECT_EQ(told.size(), 4U);
}

TEST(X11SourcesTest, NoneWithoutAnXServer) {
    const QByteArray saved = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":999999");
    EXPECT_EQ(X11IdleSource::create(), nullptr);
    EXPECT_EQ(qt::X11FullScreenWatch::create(), nullptr);
    qputenv("DISPLAY", saved);
}

} // namespace
} // namespace quillmere::testing
