#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;
struct sockaddr_un;

namespace quillmere::qt {

// One end of a connection on a local (Unix domain) stream socket: what the command channel
// needs of one. Qt's own local sockets live in its network library, which brings Kerberos and a
// proxy library into every run, about 1.3 MB of memory for a program that only talks to itself.
// In the main loop nothing blocks; the wait functions, for the command line, do.
class LocalSocket : public QObject {
    Q_OBJECT

public:
    // Takes `fd`, a connected stream socket.
    explicit LocalSocket(int fd, QObject* parent = nullptr);
    ~LocalSocket() override;

    // A connection to whoever listens at `path`, trying for at most `timeoutMs` while the
    // listener's queue is full; null when nobody listens there.
    static std::unique_ptr<LocalSocket> connectTo(const QString& path, int timeoutMs);

    // The address of the socket at `path`; false when the path does not fit in one.
    static bool toAddress(const QString& path, sockaddr_un& address);

    bool isOpen() const { return fd_ >= 0; }
    // Takes in what has already arrived, without telling: for a connection just accepted.
    void readWaiting();
    // Reading stops while this much waits unread; 0: no limit.
    void setReadBufferSize(qint64 size);
    qint64 bytesAvailable() const { return readBuffer_.size(); }
    QByteArray peek(qint64 size) const { return readBuffer_.left(size); }
    QByteArray read(qint64 size);
    QByteArray readAll() { return read(readBuffer_.size()); }
    bool canReadLine() const { return readBuffer_.contains('\n'); }
    // Up to and with the first newline.
    QByteArray readLine() { return read(readBuffer_.indexOf('\n') + 1); }

    // Sends what the socket takes now and queues the rest. A connection found broken here closes
    // on the next turn of the loop, never inside the call.
    void write(const QByteArray& data);
    qint64 bytesToWrite() const { return writeBuffer_.size(); }
    // Closes once everything queued is sent.
    void disconnectFromServer();
    // Closes now; what is queued is dropped. What was read stays readable.
    void abort();

    // For the command line: waits until more has been read; false when the connection closed or
    // nothing came in `timeoutMs` (-1: no limit).
    bool waitForReadyRead(int timeoutMs);

signals:
    void readyRead();
    void disconnected();

private:
    // Reads what has arrived, up to the limit; true when the connection has ended.
    bool receive();
    void readMore();
    void writeMore();
    bool wantsToRead() const;

    int fd_;
    qint64 readLimit_ = 0;
    bool closeWhenSent_ = false;
    QByteArray readBuffer_;
    QByteArray writeBuffer_;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
};

} // namespace quillmere::qt
