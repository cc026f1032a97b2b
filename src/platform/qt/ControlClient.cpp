#include "platform/qt/ControlClient.h"

#include "platform/qt/LocalSocket.h"

#include <cstdio>

namespace quillmere::qt {

namespace {
const QByteArray ErrorPrefix = QByteArrayLiteral("error: ");
} // namespace

int ControlClient::send(const QString& socketPath, const QByteArray& request, bool follow,
                        const Translator& translator) {
    const auto complain = [&translator](const Text& text) {
        std::fprintf(stderr, "%s\n", translator(text, "Quillmere Timer").c_str());
    };
    const auto socket = LocalSocket::connectTo(socketPath, ConnectTimeoutMs);
    if (!socket) {
        complain(NotRunning);
        return 1;
    }
    socket->write(request + '\n');
    for (bool first = true;; first = false) {
        // A line may be waiting in the buffer after the timer has closed the connection.
        while (!socket->canReadLine()) {
            if (!socket->waitForReadyRead(follow ? -1 : AnswerTimeoutMs)) {
                if (first) {
                    complain(NoAnswer);
                    return 1;
                }
                return 0; // the timer has ended
            }
        }
        const QByteArray line = socket->readLine().chopped(1);
        if (first && line.startsWith(ErrorPrefix)) {
            std::fprintf(stderr, "quillmere-timer: %s\n", line.mid(ErrorPrefix.size()).constData());
            return 2;
        }
        if (!(first && line == "ok")) {
            std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
        }
        if (!follow) {
            return 0;
        }
    }
}

} // namespace quillmere::qt
