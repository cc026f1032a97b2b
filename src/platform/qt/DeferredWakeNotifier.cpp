#include "platform/qt/DeferredWakeNotifier.h"

#include <algorithm>

namespace quillmere::qt {

DeferredWakeNotifier::DeferredWakeNotifier(Factory make)
    : make_(std::move(make)) {}

DeferredWakeNotifier::~DeferredWakeNotifier() = default;

void DeferredWakeNotifier::start() {
    if (source_) {
        return;
    }
    source_ = make_();
    for (auto& [name, observer] : std::exchange(waiting_, {})) {
        source_->addWakeObserver(std::move(name), std::move(observer));
    }
}

void DeferredWakeNotifier::addWakeObserver(std::string name, std::function<void()> observer) {
    if (source_) {
        source_->addWakeObserver(std::move(name), std::move(observer));
    } else {
        waiting_.emplace_back(std::move(name), std::move(observer));
    }
}

void DeferredWakeNotifier::removeWakeObserver(const std::string& name) {
    if (source_) {
        source_->removeWakeObserver(name);
    }
    std::erase_if(waiting_, [&](const auto& entry) { return entry.first == name; });
}

} // namespace quillmere::qt
