#pragma once

#include "core/App.h"
#include "core/UXMenu.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quillmere::testing {

using Strings = std::vector<std::string>;
constexpr int Restart = Alert::FirstButtonReturn;
constexpr int Snooze = Alert::FirstButtonReturn + 1;

// A simulated desktop with the packaged resources in place, and the controller on it. Every
// event published on the bus is recorded as a line in `trace`.
class Scenario : public ::testing::Test {
protected:
    Scenario();
    ~Scenario() override;

    // Builds the controller (recording its events) and finishes launching.
    void launch(bool isTest = false);
    // Builds the controller without launching it.
    void construct(bool isTest = false);

    // Not the first run: "Version" stored, the given flags as stored.
    void storeSettings(bool popups, bool autoRestart, bool restartOnWake = true);

    sim::SimStatusItem& item() { return *platform.statusItem(); }
    sim::SimMenu& menu() { return *item().menu(); }
    sim::SimPanel& settingsPanel();
    sim::SimPanel& aboutPanel();
    std::vector<std::string> takeTrace() { return std::exchange(trace, {}); }
    std::vector<std::string> played() { return platform.speaker().played(); }
    void advance(double seconds) { platform.loop().advanceSeconds(seconds); }
    void settle() { platform.loop().runUntilIdle(); }
    std::size_t popups() { return platform.alerts().shown().size(); }
    // The next reminder is answered with `button`; `whileUp` runs while it is on screen.
    void answer(int button, std::optional<bool> suppress = {}, std::function<void()> whileUp = {}) {
        platform.alerts().answerNext({button, suppress, std::move(whileUp)});
    }
    // Opens Settings from the menu and runs `script` in it; by default presses OK.
    void openSettings(sim::SimPanel::Script script = [](sim::SimPanel& p) { p.press("OK"); }) {
        settingsPanel().onNextRun(std::move(script));
        menu().click(UXMenu::SettingsTitle.source);
    }
    // The kind of the armed timer, or "none".
    std::string armed() const;

    std::filesystem::path folder;
    sim::SimPlatform platform;
    std::unique_ptr<App> controller;
    std::vector<std::string> trace;
};

std::string describe(const Cfg::Parameter& parameter);
std::string describe(AppState state);
std::string describe(UIAction action);

} // namespace quillmere::testing
