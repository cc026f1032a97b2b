// Every text a person sees passes through the translator: in a made-up language that brackets
// each text, nothing shows without brackets but the program's name and the time in the title.
#include "support/Scenario.h"

namespace quillmere::testing {
namespace {

class PseudoLanguage : public Scenario {
protected:
    PseudoLanguage() {
        platform.language().setLanguage(
            [](const char*, const char* source) { return "⟦" + std::string(source) + "⟧"; });
    }
    // Names each text that reached the screen without the translator.
    static void expectTranslated(const std::vector<std::string>& texts, const char* where) {
        for (const std::string& text : texts) {
            EXPECT_TRUE((text.starts_with("⟦") && text.ends_with("⟧")) || text == Cfg::Name)
                << where << " shows \"" << text << "\" untranslated";
        }
    }
    void expectToolTipTranslated() { expectTranslated({item().toolTip()}, "the tooltip"); }
    bool choose(const Text& title) { return menu().click(platform.translator()(title)); }
};

TEST_F(PseudoLanguage, MenuReminderWindowsAndTooltipShowOnlyTranslatedTexts) {
    storeSettings(true, false);
    platform.store().setBool(Cfg::NaturalBreaksKey, true);
    launch();
    std::vector<std::string> titles;
    for (const auto& entry : menu().items()) {
        if (!entry->isSeparator()) {
            titles.push_back(entry->title());
        }
    }
    expectTranslated(titles, "the menu");
    expectToolTipTranslated();

    // Away past the interval's end: the held reminder's title turns into the break, not red.
    advance(500);
    platform.person().reportIdle();
    advance(270);
    EXPECT_EQ(item().title(), "⟦break⟧");
    EXPECT_EQ(item().color(), TitleColor::Default);
    expectToolTipTranslated();
    platform.person().reportActive(300);

    // The reminder, snoozed: the count-up's tooltip.
    answer(Snooze); // Snooze
    advance(605);
    ASSERT_EQ(popups(), 1u);
    const sim::ShownAlert& reminder = platform.alerts().shown().back();
    std::vector<std::string> shown = reminder.buttons;
    shown.insert(shown.end(),
                 {reminder.messageText, reminder.informativeText, reminder.suppressionTitle});
    expectTranslated(shown, "the reminder");
    expectToolTipTranslated();

    ASSERT_TRUE(choose(UXMenu::MuteTitle));
    ASSERT_TRUE(choose(UXMenu::PauseHourTitle));
    expectToolTipTranslated();

    // Settings where the desktop has no sources, with its notes, and the refusal.
    platform.person().setSource("");
    platform.busy().setSource("");
    settingsPanel().onNextRun([&](sim::SimPanel& panel) {
        expectTranslated(panel.texts(), "Settings");
        const Translator& translator = platform.translator();
        expectTranslated(panel.control(translator(SettingsView::SoundLabel))->choices,
                         "the sounds");
        const std::string minutes = translator(SettingsView::IntervalLabel);
        EXPECT_TRUE(panel.setNumber(minutes, 0));
        EXPECT_TRUE(panel.press(translator(SettingsView::OkButton)));
        panel.setNumber(minutes, 10);
        panel.press(translator(SettingsView::OkButton));
    });
    ASSERT_TRUE(choose(UXMenu::SettingsTitle));
    const sim::ShownAlert& refusal = platform.alerts().shown().back();
    expectTranslated({refusal.messageText, refusal.informativeText}, "the refusal");
    EXPECT_FALSE(settingsPanel().isOnScreen());

    aboutPanel().onNextRun([&](sim::SimPanel& panel) {
        std::vector<std::string> texts = panel.texts();
        std::erase(texts, controller->buildInfo().date()); // shown as the build wrote it
        expectTranslated(texts, "About");
        EXPECT_TRUE(panel.press(platform.translator()(AboutView::OkButton)));
    });
    ASSERT_TRUE(menu().click(UXMenu::aboutTitle(platform.translator())));
    EXPECT_FALSE(aboutPanel().isOnScreen());
}

} // namespace
} // namespace quillmere::testing
