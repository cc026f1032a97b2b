// The X server's idle time on a private Xvfb: idle after the threshold without input, active at
// the next input with the time it was idle, again and again, and silence once unwatched.
#include "PrivateBus.h"
#include "PrivateDisplay.h"

#include "platform/qt/linux/X11FullScreenWatch.h"
#include "platform/qt/linux/X11IdleSource.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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

#define REQUIRE_XVFB(display)                                                                      \
    if (!(display).isRunning()) {                                                                  \
        GTEST_SKIP() << "Xvfb is not installed";                                                   \
    }

TEST(X11IdleSourceTest, TellsIdleAndActiveByTheServersIdleCounter) {
    PrivateDisplay display;
    REQUIRE_XVFB(display);
    auto source = X11IdleSource::create();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->method(), X11IdleSource::Method::IdleCounter); // Xvfb has IDLETIME
    EXPECT_EQ(source->source(), "X11");
    EXPECT_FALSE(source->isScreenLocked());

    Reports first;
    ASSERT_TRUE(display.xdotool({"mousemove", "10", "10"}));
    first.sinceInput.start();
    source->watch(0.3, first.observer());
    ASSERT_TRUE(waitUntil([&] { return first.idleAfterMs.size() == 1; }));
    EXPECT_GE(first.idleAfterMs[0], 250) << "idle before the threshold";

    // A second source that starts watching when the person is already away says so at once,
    // though the counter crosses no threshold for it.
    auto late = X11IdleSource::create();
    ASSERT_NE(late, nullptr);
    Reports second;
    late->watch(0.3, second.observer());
    ASSERT_TRUE(
        waitUntil([&] { return second.idleAfterMs.size() == 1; }, std::chrono::milliseconds(500)));

    ASSERT_TRUE(waitUntil([&] { return first.sinceInput.elapsed() > 600; }));
    const double idleSeconds = first.sinceInput.elapsed() / 1000.0;
    ASSERT_TRUE(display.xdotool({"mousemove", "20", "20"}));
    first.sinceInput.restart();
    ASSERT_TRUE(waitUntil([&] { return first.active.size() == 1 && second.active.size() == 1; }));
    EXPECT_NEAR(first.active[0], idleSeconds, 0.15);
    EXPECT_NEAR(second.active[0], idleSeconds, 0.15);

    // The alarms stay armed: idle and active again, from a key this time.
    ASSERT_TRUE(waitUntil([&] { return first.idleAfterMs.size() == 2; }));
    EXPECT_GE(first.idleAfterMs[1], 250);
    ASSERT_TRUE(display.xdotool({"key", "shift"}));
    ASSERT_TRUE(waitUntil([&] { return first.active.size() == 2; }));

    // Unwatched, the first tells nothing while the second goes through a whole round.
    source->unwatch();
    const std::size_t secondIdles = second.idleAfterMs.size();
    ASSERT_TRUE(waitUntil([&] { return second.idleAfterMs.size() > secondIdles; }));
    ASSERT_TRUE(display.xdotool({"mousemove", "30", "30"}));
    ASSERT_TRUE(waitUntil([&] { return second.active.size() == 3; }));
    EXPECT_EQ(first.idleAfterMs.size(), 2U);
    EXPECT_EQ(first.active.size(), 2U);
}

TEST(X11IdleSourceTest, FallsBackToTheScreenSaverWhereTheCounterIsMissing) {
    PrivateDisplay display;
    REQUIRE_XVFB(display);
    display.setScreenSaverTimeout(1);
    auto source = X11IdleSource::create(X11IdleSource::Method::ScreenSaver);
    ASSERT_NE(source, nullptr);

    // A threshold that is no number watches nothing (and converts nothing to an integer).
    Reports none;
    source->watch(std::nan(""), none.observer());

    // The saver comes on after a second, before this threshold: idle follows at the threshold.
    Reports reports;
    ASSERT_TRUE(display.xdotool({"mousemove", "10", "10"}));
    reports.sinceInput.start();
    source->watch(1.4, reports.observer());
    ASSERT_TRUE(waitUntil([&] { return reports.idleAfterMs.size() == 1; }));
    EXPECT_GE(reports.idleAfterMs[0], 1300);
    const double idleSeconds = reports.sinceInput.elapsed() / 1000.0;
    ASSERT_TRUE(display.xdotool({"mousemove", "20", "20"}));
    ASSERT_TRUE(waitUntil([&] { return reports.active.size() == 1; }));
    EXPECT_NEAR(reports.active[0], idleSeconds, 0.15);
    EXPECT_TRUE(none.idleAfterMs.empty());

    // Without a saver that comes on, there is nothing to tell by.
    display.setScreenSaverTimeout(0);
    EXPECT_EQ(X11IdleSource::create(X11IdleSource::Method::ScreenSaver), nullptr);
}

TEST(X11IdleSourceTest, NoneWithoutAnXServer) {
    const QByteArray saved = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":999999");
    EXPECT_EQ(X11IdleSource::create(), nullptr);
    EXPECT_EQ(qt::X11FullScreenWatch::create(), nullptr);
    if (saved.isNull()) {
        qunsetenv("DISPLAY");
    } else {
        qputenv("DISPLAY", saved);
    }
}

} // namespace
} // namespace quillmere::testing
