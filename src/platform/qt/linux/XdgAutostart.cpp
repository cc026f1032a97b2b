#include "platform/qt/linux/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace quillmere::qt {

namespace {

const QString AutostartFolder = QStringLiteral("autostart");
const QString DesktopEntryGroup = QStringLiteral("[Desktop Entry]");
// No desktop entry is near this long; a larger file is not read.
constexpr qint64 LargestEntry = 64 * 1024;

// A folder named by an environment variable; a relative one is no folder.
QString absoluteFolder(const QString& path) {
    return QDir::isAbsolutePath(path) ? path : QString();
}

QString configHome() {
    const QString set = absoluteFolder(qEnvironmentVariable("XDG_CONFIG_HOME"));
    return set.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : set;
}

QStringList systemConfigFolders() {
    QStringList folders;
    const QStringList listed =
        qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts);
    for (const QString& folder : listed) {
        if (!absoluteFolder(folder).isEmpty()) {
            folders.append(folder);
        }
    }
    return folders.isEmpty() ? QStringList{QStringLiteral("/etc/xdg")} : folders;
}

// The program's entry; one that switches off a system entry is the same with Hidden=true.
QString entryText(const QString& exec, bool hidden) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quillmere Timer\n"
                          "Comment=Counts down your work interval in the status area and reminds "
                          "you to take a break\n"
                          "Exec=") +
           exec +
           QStringLiteral("\nIcon=org.quillmere.Timer\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n") +
           (hidden ? QStringLiteral("Hidden=true\n") : QString());
}

} // namespace

XdgAutostart::XdgAutostart(const QString& executable, QString configHome, QStringList systemFolders)
    : exec_(execValue(executable))
    , configHome_(std::move(configHome))
    , systemFolders_(std::move(systemFolders)) {}

std::unique_ptr<XdgAutostart> XdgAutostart::forThisUser(const QString& executable) {
    return std::make_unique<XdgAutostart>(executable, configHome(), systemConfigFolders());
}

QString XdgAutostart::userEntry() const {
    return configHome_ + u'/' + AutostartFolder + u'/' + QLatin1String(EntryName);
}

QString XdgAutostart::execValue(const QString& executable) {
    // A path with a reserved character is quoted; inside the quotes ", `, $ and \ take a
    // backslash. A percent sign is doubled (field codes), then the value's own escapes apply.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = executable;
    if (std::any_of(argument.cbegin(), argument.cend(),
                    [](QChar c) { return reserved.contains(c); })) {
        QString quoted = QStringLiteral("\"");
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
                quoted += u'\\';
            }
            quoted += c;
        }
        argument = quoted + u'"';
    }
    argument.replace(u'%', QStringLiteral("%%"));
    QString value;
    for (const QChar c : argument) {
        if (c == u'\\') {
            value += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            value += QStringLiteral("\\n");
        } else if (c == u'\t') {
            value += QStringLiteral("\\t");
        } else if (c == u'\r') {
            value += QStringLiteral("\\r");
        } else {
            value += c;
        }
    }
    return value;
}

std::optional<bool> XdgAutostart::startsProgram(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return std::nullopt;
    }
    // Anything but a plain file (a folder, a pipe that would block the read, a broken link) or
    // an unreadable one starts nothing.
    QFile file(path);
    if (!info.isFile() || info.size() > LargestEntry || !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    bool inEntry = false;
    bool seenEntry = false;
    bool hidden = false;
    bool gnomeDisabled = false;
    for (const QByteArray& rawLine : file.read(LargestEntry).split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == DesktopEntryGroup;
            seenEntry = seenEntry || inEntry;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inEntry || equals < 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        // Booleans as GLib reads them, which is what session managers use.
        if (key == QLatin1String("Hidden")) {
            hidden = value == QLatin1String("true") || value == QLatin1String("1");
        } else if (key == QLatin1String("X-GNOME-Autostart-enabled")) {
            gnomeDisabled = value == QLatin1String("false") || value == QLatin1String("0");
        }
    }
    return seenEntry && !hidden && !gnomeDisabled;
}

bool XdgAutostart::isEnabled() const {
    if (const std::optional<bool> user = startsProgram(userEntry())) {
        return *user;
    }
    for (const QString& folder : systemFolders_) {
        if (const auto system =
                startsProgram(folder + u'/' + AutostartFolder + u'/' + QLatin1String(EntryName))) {
            return *system;
        }
    }
    return false;
}

bool XdgAutostart::setEnabled(bool enabled) {
    // Nothing is written when the desktop already does what is asked: a user's own entry stays.
    if (isEnabled() == enabled) {
        return true;
    }
    if (enabled) {
        return write(entryText(exec_, false));
    }
    const QFileInfo user(userEntry());
    if ((user.exists() || user.isSymLink()) && !QFile::remove(userEntry())) {
        return false;
    }
    return !isEnabled() || write(entryText(exec_, true));
}

bool XdgAutostart::write(const QString& content) const {
    // Folders the program makes for the user's configuration are the user's alone.
    const QString folder = configHome_ + u'/' + AutostartFolder;
    for (const QString& path : {configHome_, folder}) {
        if (!QFileInfo::exists(path)) {
            QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    // A link at the entry's name is replaced, not written through into what it points at; so
    // is a pipe or a device, which a write would block on or feed.
    const QFileInfo entry(userEntry());
    if (entry.isSymLink() || (entry.exists() && !entry.isFile() && !entry.isDir())) {
        QFile::remove(userEntry());
    }
    QSaveFile file(userEntry());
    return file.open(QIODevice::WriteOnly) && file.write(content.toUtf8()) >= 0 && file.commit();
}

} // namespace quillmere::qt
