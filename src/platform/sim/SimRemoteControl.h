#pragma once

#include "platform/RemoteControl.h"

#include <string>
#include <utility>
#include <vector>

namespace quillmere::sim {

// Another program's way in, as the test drives it: it sends commands and reads what followers
// were told.
class SimRemoteControl : public RemoteControl {
public:
    struct Publication {
        RemoteStatus status;
        Changes changes;
    };

    void start(Handlers handlers) override { handlers_ = std::move(handlers); }
    void stop() override { handlers_ = {}; }
    void publish(const RemoteStatus& status, Changes changes) override {
        published_.push_back({status, changes});
    }

    bool isStarted() const { return static_cast<bool>(handlers_.command); }
    RemoteReply send(const std::vector<std::string>& words) { return handlers_.command(words); }
    RemoteStatus status() const { return handlers_.status(); }
    std::vector<Publication> takePublished() { return std::exchange(published_, {}); }

private:
    Handlers handlers_;
    std::vector<Publication> published_;
};

} // namespace quillmere::sim
