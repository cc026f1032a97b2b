#pragma once

#include "platform/Application.h"

namespace quillmere::qt {

// The QApplication's main loop.
class QtApplication : public Application {
public:
    int run(std::function<void()> didFinishLaunching) override;
    void terminate() override;
    void activateIgnoringOtherApps() override;
};

} // namespace quillmere::qt
