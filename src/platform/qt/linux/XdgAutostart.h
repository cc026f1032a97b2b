#pragma once

#include "platform/Autostart.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace quillmere::qt {

// Start at login through the desktop's autostart folders: an entry named after the program in
// the user's folder ($XDG_CONFIG_HOME/autostart) stands in for one of the same name in the
// system's ($XDG_CONFIG_DIRS/autostart). An entry with Hidden=true, or GNOME's
// X-GNOME-Autostart-enabled=false, starts nothing.
class XdgAutostart : public Autostart {
public:
    static constexpr const char* EntryName = "org.quillmere.Timer.desktop";

    // The entry written starts `executable`; `configHome` is the user's configuration folder,
    // `systemFolders` the system's, in order.
    XdgAutostart(const QString& executable, QString configHome, QStringList systemFolders);
    // The folders as the environment names them now.
    static std::unique_ptr<XdgAutostart> forThisUser(const QString& executable);

    bool isEnabled() const override;
    // Switching on writes the program's entry unless one starts it already; switching off
    // removes the user's entry, and writes one with Hidden=true only where a system entry would
    // still start the program.
    bool setEnabled(bool enabled) override;

    // The entry in the user's folder.
    QString userEntry() const;
    // The Exec= value that starts `executable`, quoted and escaped as desktop entries need.
    static QString execValue(const QString& executable);

private:
    // Whether the entry at `path` starts the program; none when there is no entry there.
    static std::optional<bool> startsProgram(const QString& path);
    bool write(const QString& content) const;

    QString exec_;
    QString configHome_;
    QStringList systemFolders_;
};

} // namespace quillmere::qt
