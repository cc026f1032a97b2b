#pragma once

#include "platform/Translator.h"

#include <QByteArray>
#include <QString>

namespace quillmere::qt {

// The command line's side of the single-instance socket.
class ControlClient {
public:
    static constexpr int ConnectTimeoutMs = 1000;
    static constexpr int AnswerTimeoutMs = 5000;

    // Sends `request` (one line) to the timer listening at `socketPath` and prints its answer:
    // nothing for a plain "ok", an error on standard error; with `follow`, every line until the
    // timer ends. Returns the exit status: 0 done, 1 nothing answered, 2 refused.
    static int send(const QString& socketPath, const QByteArray& request, bool follow,
                    const Translator& translator);

    //: %1 is the program's name
    static constexpr Text NotRunning = translatable("ControlClient", "%1 is not running");
    //: %1 is the program's name
    static constexpr Text NoAnswer = translatable("ControlClient", "%1 did not answer");
};

} // namespace quillmere::qt
