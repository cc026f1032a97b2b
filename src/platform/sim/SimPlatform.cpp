#include "platform/sim/SimPlatform.h"

#include "platform/Duration.h"

namespace quillmere::sim {

SimPlatform::SimPlatform(std::filesystem::path resourceFolder)
    : resources_(std::move(resourceFolder)) {}

SimPlatform::~SimPlatform() = default;

std::unique_ptr<StatusItem> SimPlatform::createStatusItem(double length) {
    auto item = std::make_unique<SimStatusItem>(length, titlesHidden_);
    statusItems_.push_back(item.get());
    return item;
}

std::unique_ptr<Alert> SimPlatform::createAlert() {
    return std::make_unique<SimAlert>(alerts_, runLoop_);
}

void SimPlatform::sleepAndWake(double seconds) {
    runLoop_.suspend(saturatingNanoseconds(seconds));
    wake_.wake();
}

} // namespace quillmere::sim
