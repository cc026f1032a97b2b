#include "platform/qt/DeferredRemoteControl.h"

namespace quillmere::qt {

DeferredRemoteControl::DeferredRemoteControl(Factory make)
    : make_(std::move(make)) {}

DeferredRemoteControl::~DeferredRemoteControl() = default;

void DeferredRemoteControl::open() {
    if (control_) {
        return;
    }
    control_ = make_();
    if (handlers_) {
        control_->start(*handlers_);
    }
}

void DeferredRemoteControl::start(Handlers handlers) {
    handlers_ = std::move(handlers);
    if (control_) {
        control_->start(*handlers_);
    }
}

void DeferredRemoteControl::stop() {
    handlers_.reset();
    if (control_) {
        control_->stop();
    }
}

void DeferredRemoteControl::publish(const RemoteStatus& status, Changes changes) {
    if (control_) {
        control_->publish(status, changes);
    }
}

} // namespace quillmere::qt
