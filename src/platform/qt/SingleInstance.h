#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace quillmere::qt {
class LocalServer;
}

namespace quillmere::qt {

// One running program per user: a lock file, and a local socket only the user can open that a
// second start connects to, to be sure the lock's holder is really running. A lock left by a
// crashed run does not block the next start. Both live only in a folder no other user can write,
// where nobody else can take their names first.
class SingleInstance {
public:
    // `folder`: the user's private runtime folder; `name`: the program's name.
    SingleInstance(const QString& folder, const QString& name);
    ~SingleInstance();

    // The user's private runtime folder; empty when there is none to be had safely.
    static QString runtimeFolder();
    // Where the one instance listens.
    static QString socketPath(const QString& folder, const QString& name);

    // True when this process is now the one instance; false when another one is running. Without
    // a private folder nothing is checked (a line says so) and the program runs: true.
    bool acquire();
    // The socket the one instance listens on, once acquired; null when it could not listen.
    LocalServer* server() const;

private:
    bool anotherAnswers() const;
    bool listen();

    QString folder_;
    QString socketPath_;
    QLockFile lock_;
    std::unique_ptr<LocalServer> server_;
};

} // namespace quillmere::qt
