#pragma once

#include "platform/RemoteControl.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>

namespace quillmere::qt {
class LocalServer;
class LocalSocket;
} // namespace quillmere::qt

namespace quillmere::qt {

// Commands over the single-instance socket: one request line in (UTF-8, at most MaxRequest
// bytes with its newline), one answer line out, then the connection closes; "watch" keeps it
// and gets a line each time the title changes. The main loop never waits on a client: a client
// that sends nothing is let go after a while, one that stops reading while it watches is dropped
// once a little is queued for it, and past MaxClients the oldest that has sent no request yet
// makes room (with only watchers left, a new connection is closed at once).
class ControlSocket : public QObject, public RemoteControl {
public:
    static constexpr qint64 MaxRequest = 4096;
    static constexpr int MaxClients = 64;
    // What may wait unsent for a watcher that does not read.
    static constexpr qint64 MaxUnsent = 4096;
    static constexpr int RequestTimeoutMs = 5000;

    // `server` is listening already and outlives this object.
    explicit ControlSocket(LocalServer& server);
    ~ControlSocket() override;

    void start(Handlers handlers) override;
    void stop() override;
    void publish(const RemoteStatus& status, Changes changes) override;

    // Connections open now, watchers among them.
    int clients() const { return clients_; }
    int watchers() const { return watchers_.size(); }

private:
    void accept();
    void read(LocalSocket* client);
    // Writes `line`; the connection closes after it unless the client now watches.
    void answer(LocalSocket* client, const QByteArray& line, bool watch = false);

    LocalServer& server_;
    Handlers handlers_;
    int clients_ = 0;
    // Connected, no request read yet; oldest first.
    QList<LocalSocket*> waiting_;
    QSet<LocalSocket*> watchers_;
};

} // namespace quillmere::qt
