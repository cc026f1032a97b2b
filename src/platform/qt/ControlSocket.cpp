#include "platform/qt/ControlSocket.h"

#include "platform/qt/LocalServer.h"
#include "platform/qt/LocalSocket.h"

#include <QPointer>
#include <QStringDecoder>
#include <QTimer>

#include <string>
#include <vector>

namespace quillmere::qt {

ControlSocket::ControlSocket(LocalServer& server)
    : server_(server) {}

ControlSocket::~ControlSocket() {
    stop();
}

void ControlSocket::start(Handlers handlers) {
    handlers_ = std::move(handlers);
    connect(&server_, &LocalServer::newConnection, this, &ControlSocket::accept);
    accept(); // those that came while the timer was starting
}

void ControlSocket::stop() {
    disconnect(&server_, nullptr, this, nullptr);
    handlers_ = {};
    // Watchers see their stream end.
    for (LocalSocket* client : findChildren<LocalSocket*>()) {
        client->abort();
        delete client;
    }
}

void ControlSocket::accept() {
    while (LocalSocket* client = server_.nextPendingConnection()) {
        if (clients_ >= MaxClients) {
            if (waiting_.isEmpty()) {
                delete client; // every place is a watcher's: closes it
                continue;
            }
            // Connections that say nothing must not lock out one that will.
            LocalSocket* oldest = waiting_.takeFirst();
            oldest->abort();
            delete oldest;
        }
        ++clients_;
        waiting_.append(client);
        client->setParent(this);
        // Reading stops once this much waits: a request can't grow it.
        client->setReadBufferSize(MaxRequest);
        connect(client, &QObject::destroyed, this, [this, client] {
            --clients_;
            waiting_.removeOne(client);
        });
        connect(client, &LocalSocket::disconnected, this, [this, client] {
            watchers_.remove(client);
            client->deleteLater();
        });
        connect(client, &LocalSocket::readyRead, this, [this, client] { read(client); });
        auto* timeout = new QTimer(client);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, client, [client] {
            client->abort();
            client->deleteLater();
        });
        timeout->start(RequestTimeoutMs);
        if (client->bytesAvailable() > 0) {
            read(client);
        }
    }
}

void ControlSocket::read(LocalSocket* client) {
    // One request per connection: a watcher's or an answered client's further bytes are dropped.
    if (watchers_.contains(client) || !client->isOpen()) {
        client->readAll();
        return;
    }
    const QByteArray head = client->peek(MaxRequest);
    const qsizetype end = head.indexOf('\n');
    if (end < 0) {
        if (head.size() >= MaxRequest) {
            answer(client, "error: request too long");
        }
        return; // the rest of the line is on its way
    }
    QByteArray line = client->read(end + 1).chopped(1);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(line);
    if (utf8.hasError()) {
        answer(client, "error: request is not UTF-8");
        return;
    }
    std::vector<std::string> words;
    for (const QString& word : text.simplified().split(u' ', Qt::SkipEmptyParts)) {
        words.push_back(word.toStdString());
    }
    // The command may publish, and so drop watchers; this client stays until the loop runs.
    const QPointer<LocalSocket> guard(client);
    const RemoteReply reply = handlers_.command(words);
    if (guard.isNull() || !client->isOpen()) {
        return;
    }
    switch (reply.kind) {
    case RemoteReply::Kind::Done:
        answer(client,
               reply.text.empty() ? QByteArray("ok") : QByteArray::fromStdString(reply.text));
        break;
    case RemoteReply::Kind::Refused:
        answer(client, "error: " + QByteArray::fromStdString(reply.text));
        break;
    case RemoteReply::Kind::Watch:
        answer(client, QByteArray::fromStdString(reply.text), true);
        break;
    }
}

void ControlSocket::answer(LocalSocket* client, const QByteArray& line, bool watch) {
    waiting_.removeOne(client);
    client->write(line + '\n');
    if (watch) {
        watchers_.insert(client);
        delete client->findChild<QTimer*>();
        return;
    }
    // Whatever else it sent is not read: dropped now, the connection closes once the answer is out.
    client->readAll();
    client->disconnectFromServer();
}

void ControlSocket::publish(const RemoteStatus& status, Changes changes) {
    if (!changes.title) {
        return;
    }
    const QByteArray line = QByteArray::fromStdString(status.title) + '\n';
    // A copy: dropping a watcher changes the set.
    for (LocalSocket* watcher : QSet<LocalSocket*>(watchers_)) {
        if (watcher->bytesToWrite() > MaxUnsent) {
            watchers_.remove(watcher);
            watcher->abort();
        } else {
            watcher->write(line);
        }
    }
}

} // namespace quillmere::qt
