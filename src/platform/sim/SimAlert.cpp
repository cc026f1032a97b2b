#include "platform/sim/SimAlert.h"

#include "platform/sim/SimRunLoop.h"

namespace quillmere::sim {

int SimAlert::runModal() {
    ShownAlert shown{style_,       message_,          informative_,
                     buttons_,     showsSuppression_, suppressionTitle_,
                     suppression_, FirstButtonReturn, false};
    runLoop_.runModalSession([&] {
        if (script_.answers_.empty()) {
            return;
        }
        AlertAnswer answer = std::move(script_.answers_.front());
        script_.answers_.pop_front();
        shown.scripted = true;
        shown.answer = answer.button;
        if (answer.suppression) {
            suppression_ = *answer.suppression;
        }
        if (answer.meanwhile) {
            answer.meanwhile();
        }
    });
    script_.shown_.push_back(shown);
    return shown.answer;
}

} // namespace quillmere::sim
