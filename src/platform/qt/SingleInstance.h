#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>

#include <memory>

namespace quillmere::qt {

// One running program per user: a lock file, and a local socket only the user can open that a
// second start connects to, to be sure the lock's holder is really running. A lock left by a
// crashed run does not block the next start.
class SingleInstance {
public:
    // `folder`: the user's runtime folder; `name`: the program's name.
    SingleInstance(const QString& folder, const QString& name);
    ~SingleInstance();

    // The user's runtime folder ($XDG_RUNTIME_DIR, else a private temporary folder).
    static QString runtimeFolder();

    // True when this process is now the one instance; false when another one is running.
    bool acquire();

private:
    bool anotherAnswers() const;
    bool listen();

    QString socketPath_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace quillmere::qt
