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
