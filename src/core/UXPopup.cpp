#include "core/UXPopup.h"

#include "core/Cfg.h"
#include "platform/Alert.h"
#include "platform/Application.h"

namespace quillmere {

UXPopup::UXPopup(Cfg& cfg, Application& application, std::unique_ptr<Alert> alert,
                 const Translator& translator)
    : alert_(std::move(alert))
    , cfg_(cfg)
    , application_(application) {
    alert_->setStyle(AlertStyle::Informational);
    alert_->setMessageText(Cfg::Name);
    alert_->setInformativeText(translator(InformativeText));
    alert_->addButton(translator(RestartButton));
    alert_->addButton(translator(SnoozeButton));
    alert_->setShowsSuppressionButton(true);
    alert_->setSuppressionButtonState(false);
    alert_->setSuppressionButtonTitle(translator(SuppressionTitle));
}

UXPopup::~UXPopup() = default;

UXPopup::Result UXPopup::runModal() {
    application_.activateIgnoringOtherApps();
    const int answer = alert_->runModal();
    // The box keeps its state between showings: ticked once, it switches pop-ups off each time.
    if (alert_->suppressionButtonState()) {
        cfg_.disablePopups();
    }
    return answer == Alert::FirstButtonReturn ? Result::Restart : Result::Snooze;
}

} // namespace quillmere
