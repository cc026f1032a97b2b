#include "core/Log.h"

#include "core/Cfg.h"
#include "platform/SystemLog.h"

#include <cstdio>

namespace quillmere {

namespace {
SystemLog* logger = nullptr;
} // namespace

void Log::error(const std::string& msg) {
    std::fwrite(msg.data(), 1, msg.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    if (logger != nullptr && logger->isErrorEnabled()) {
        logger->error(Cfg::Name, Category, msg);
    }
}

void Log::setLogger(SystemLog* newLogger) {
    logger = newLogger;
}

} // namespace quillmere
