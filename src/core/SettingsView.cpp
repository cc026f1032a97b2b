#include "core/SettingsView.h"

#include "core/AppIcon.h"
#include "core/UXAudio.h"
#include "platform/Alert.h"
#include "platform/Application.h"
#include "platform/Autostart.h"
#include "platform/BusyMonitor.h"
#include "platform/Presence.h"
#include "platform/WholeNumber.h"

#include <limits>
#include <string>

namespace quillmere {

namespace {

using Alignment = ViewNode::Alignment;

// One form row: a trailing-aligned label column and a leading-aligned control column.
ViewNode row(std::string label, ViewNode control) {
    ViewNode labelColumn = ViewNode::label(std::move(label));
    labelColumn.withFrame(SettingsView::LabelWidth, std::nullopt, Alignment::Trailing);
    control.withFrame(SettingsView::ControlWidth, std::nullopt, Alignment::Leading)
        .withPadding(0, SettingsView::ControlLeadingPadding, 0, 0);
    return ViewNode::hstack(Alignment::Center, {std::move(labelColumn), std::move(control)});
}

// A short note under a row that can't be used on this desktop.
ViewNode note(std::string text) {
    return ViewNode::label(std::move(text), ViewNode::TextStyle::Caption);
}

ViewNode toggle(bool value, std::function<void(bool)> set) {
    ViewNode node;
    node.kind = ViewNode::Kind::Toggle;
    node.boolValue = [value] { return value; };
    node.setBoolValue = std::move(set);
    return node;
}

} // namespace

SettingsView::SettingsView(Cfg& cfg, UXAudio& audio, AppIcon& icon, Application& application,
                           AlertFactory makeAlert, const Presence& presence,
                           const BusyMonitor& busyMonitor, Autostart& autostart,
                           const Translator& translator)
    : timerIntervalMinutes_(truncatedToInt64(cfg.timerInterval() / 60).value_or(0))
    , selectedSound_(cfg.sound())
    , restartOnWake_(false)
    , autoRestart_(false)
    , naturalBreaks_(cfg.naturalBreaks())
    , awayMinutes_(cfg.awayMinutes())
    , holdWhenBusy_(cfg.holdWhenBusy())
    , notifyWhenNoPopup_(cfg.notifyWhenNoPopup())
    , cfg_(&cfg)
    , audio_(&audio)
    , icon_(&icon)
    , application_(&application)
    , makeAlert_(std::move(makeAlert))
    , presence_(&presence)
    , busyMonitor_(&busyMonitor)
    , autostart_(&autostart)
    , translator_(&translator) {
    autoRestart_ = cfg.autoRestart();
    restartOnWake_ = cfg.restartOnWake();
}

ViewNode SettingsView::header() {
    std::vector<ViewNode> children;
    if (std::optional<ViewNode> logo =
            cfg_->isTest() ? std::nullopt : icon_->view(LogoHeight, LogoTrailingPadding)) {
        children.push_back(std::move(*logo));
    }
    children.push_back(ViewNode::vstack(Alignment::Trailing,
                                        {ViewNode::label(Cfg::Name, ViewNode::TextStyle::Title2)}));
    return ViewNode::hstack(Alignment::Center, std::move(children));
}

ViewNode SettingsView::body() {
    ViewNode field;
    field.kind = ViewNode::Kind::NumberField;
    // The placeholder follows the stored interval each time the form renders.
    field.text = std::to_string(truncatedToInt64(cfg_->timerInterval()).value_or(0));
    field.intValue = [this] { return timerIntervalMinutes_; };
    field.setIntValue = [this](std::int64_t minutes) { timerIntervalMinutes_ = minutes; };
    field.action = [this] { update(); };
    field.focusable = true;
    field.withFrame(IntervalFieldWidth, std::nullopt, Alignment::Leading);
    ViewNode fieldColumn = ViewNode::vstack(Alignment::Center, {std::move(field)});

    // Both matter only while pop-ups are off.
    ViewNode autoRestartToggle = toggle(autoRestart_, [this](bool on) { autoRestart_ = on; });
    autoRestartToggle.disabled = cfg_->popups();
    ViewNode notifyToggle =
        toggle(notifyWhenNoPopup_, [this](bool on) { notifyWhenNoPopup_ = on; });
    notifyToggle.disabled = autoRestartToggle.disabled;

    ViewNode picker;
    picker.kind = ViewNode::Kind::Picker;
    picker.focusable = true;
    for (Cfg::Sound sound : Cfg::allSounds) {
        picker.choices.push_back((*translator_)(soundName(sound)));
    }
    picker.selectedIndex = [this] {
        for (std::size_t i = 0; i < Cfg::allSounds.size(); ++i) {
            if (Cfg::allSounds[i] == selectedSound_) {
                return i;
            }
        }
        return std::size_t{0};
    };
    picker.setSelectedIndex = [this](std::size_t index) {
        if (index < Cfg::allSounds.size()) {
            selectSound(Cfg::allSounds[index]);
        }
    };
    ViewNode soundRow = row((*translator_)(SoundLabel), std::move(picker));
    soundRow.padding.bottom = ViewNode::DefaultLength;

    ViewNode ok = ViewNode::button((*translator_)(OkButton), [this] { update(); });
    ok.withPadding(ButtonLabelPadding, ButtonLabelPadding, ButtonLabelPadding, ButtonLabelPadding);
    ok.focusable = true;
    ok.defaultAction = true;

    std::vector<ViewNode> rows;
    rows.push_back(header());
    rows.push_back(row((*translator_)(IntervalLabel), std::move(fieldColumn)));
    rows.push_back(row((*translator_)(RestartOnWakeLabel),
                       toggle(restartOnWake_, [this](bool on) { restartOnWake_ = on; })));
    rows.push_back(row((*translator_)(AutoRestartLabel), std::move(autoRestartToggle)));
    rows.push_back(row((*translator_)(NotifyLabel), std::move(notifyToggle)));
    rows.push_back(row((*translator_)(TimeInIconLabel),
                       toggle(showTimeInIcon_.value_or(cfg_->showTimeInIcon()),
                              [this](bool on) { showTimeInIcon_ = on; })));
    addAbsenceRows(rows);
    rows.push_back(row((*translator_)(StartAtLoginLabel),
                       toggle(startAtLogin_, [this](bool on) { startAtLogin_ = on; })));
    rows.push_back(std::move(soundRow));
    rows.push_back(std::move(ok));
    ViewNode content = ViewNode::vstack(Alignment::Center, std::move(rows));
    content.fixedSize = true;
    // The label column grows with a longer text (German) up to the panel's edge: the same room
    // on the leading side as on the trailing one keeps it off the edge.
    content.withPadding(0, TrailingPadding, BottomPadding, TrailingPadding);
    content.onAppear = [this] { application_->activateIgnoringOtherApps(); };
    return content;
}

void SettingsView::addAbsenceRows(std::vector<ViewNode>& rows) {
    // The rows are disabled where no source answers; the settings keep what is stored.
    const bool presenceMissing = presence_->source().empty();
    ViewNode breaksToggle = toggle(naturalBreaks_, [this](bool on) { naturalBreaks_ = on; });
    breaksToggle.disabled = presenceMissing;
    ViewNode minutes;
    minutes.kind = ViewNode::Kind::NumberField;
    minutes.text = std::to_string(Cfg::DefaultAwayMinutes);
    minutes.intValue = [this] { return awayMinutes_; };
    minutes.setIntValue = [this](std::int64_t value) { awayMinutes_ = value; };
    minutes.action = [this] { update(); };
    minutes.focusable = true;
    minutes.disabled = presenceMissing;
    minutes.withFrame(IntervalFieldWidth, std::nullopt, Alignment::Leading);
    rows.push_back(row(
        (*translator_)(NaturalBreaksLabel),
        ViewNode::hstack(Alignment::Center, {std::move(breaksToggle), std::move(minutes),
                                             ViewNode::label((*translator_)(AwayMinutesUnit))})));
    if (presenceMissing) {
        rows.push_back(note((*translator_)(NoPresenceSource)));
    }

    const bool busyMissing = busyMonitor_->source().empty();
    ViewNode holdToggle = toggle(holdWhenBusy_, [this](bool on) { holdWhenBusy_ = on; });
    holdToggle.disabled = busyMissing;
    rows.push_back(row((*translator_)(HoldWhenBusyLabel), std::move(holdToggle)));
    if (busyMissing) {
        rows.push_back(note((*translator_)(NoBusySource)));
    }
}

bool SettingsView::saveAbsenceSettings() {
    // Stored and published only when changed: a save that leaves them alone publishes exactly
    // what it always did.
    if (naturalBreaks_ != cfg_->naturalBreaks()) {
        cfg_->set(Cfg::Parameter::naturalBreaks(naturalBreaks_), true);
    }
    const bool awayAccepted =
        awayMinutes_ == cfg_->awayMinutes() || cfg_->setAwayMinutes(awayMinutes_);
    if (holdWhenBusy_ != cfg_->holdWhenBusy()) {
        cfg_->set(Cfg::Parameter::holdWhenBusy(holdWhenBusy_), true);
    }
    return awayAccepted;
}

void SettingsView::windowWillOpen() {
    startAtLogin_ = autostart_->isEnabled();
}

bool SettingsView::applyStartAtLogin() {
    // Only a change is written: OK leaves the user's own entry as it is.
    if (startAtLogin_ == autostart_->isEnabled() || autostart_->setEnabled(startAtLogin_)) {
        return true;
    }
    // The switch shows what the desktop will do after all.
    startAtLogin_ = autostart_->isEnabled();
    return false;
}

void SettingsView::refuse(const Text& informative) {
    std::unique_ptr<Alert> alert = makeAlert_();
    alert->setStyle(AlertStyle::Warning);
    alert->setMessageText((*translator_)(RefusalMessage));
    alert->setInformativeText((*translator_)(informative));
    alert->runModal();
}

Text SettingsView::soundName(Cfg::Sound sound) {
    switch (sound) {
    case Cfg::Sound::Sonar:
        //: The name of an alert sound: a sonar ping
        return translatable("SettingsView", "Sonar");
    case Cfg::Sound::Bowl:
        //: The name of an alert sound: a singing bowl
        return translatable("SettingsView", "Bowl");
    case Cfg::Sound::Whistle:
        //: The name of an alert sound: a whistle
        return translatable("SettingsView", "Whistle");
    case Cfg::Sound::System:
        break;
    }
    //: The desktop's own alert sound (its bell)
    return translatable("SettingsView", "System");
}

void SettingsView::selectSound(Cfg::Sound sound) {
    if (sound == selectedSound_) {
        return;
    }
    selectedSound_ = sound;
    // A preview, whatever the mute setting; nothing is stored until OK.
    audio_->play(sound);
}

void SettingsView::update() {
    cfg_->set(Cfg::Parameter::alertSound(selectedSound_), true);
    cfg_->set(Cfg::Parameter::restartOnWake(restartOnWake_), true);
    cfg_->set(Cfg::Parameter::autoRestart(autoRestart_), true);
    // Stored only when changed, so an absent key keeps following the desktop.
    if (showTimeInIcon_ && *showTimeInIcon_ != cfg_->showTimeInIcon()) {
        cfg_->set(Cfg::Parameter::showTimeInIcon(*showTimeInIcon_), true);
    }
    if (notifyWhenNoPopup_ != cfg_->notifyWhenNoPopup()) {
        cfg_->set(Cfg::Parameter::notifyWhenNoPopup(notifyWhenNoPopup_), true);
    }

    const bool awayAccepted = saveAbsenceSettings();
    const bool startAtLoginApplied = applyStartAtLogin();

    // Minutes times 60 must not wrap around: an entry too large for it is refused like any other.
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 60;
    const bool fits = timerIntervalMinutes_ <= limit && timerIntervalMinutes_ >= -limit;
    if (!fits || !cfg_->setTimerInterval(static_cast<double>(timerIntervalMinutes_ * 60))) {
        refuse(RefusalInformative);
    } else if (!awayAccepted) {
        refuse(AwayRefusalInformative);
    } else if (!startAtLoginApplied) {
        refuse(StartAtLoginFailure);
    } else {
        _done();
    }
}

} // namespace quillmere
