#pragma once

#include "platform/DefaultsStore.h"
#include "platform/StoredValue.h"

#include <QSettings>

#include <memory>

namespace quillmere::qt {

// The defaults store on QSettings in its native format (an INI file under $XDG_CONFIG_HOME on
// Linux). The typed reads are our own, not QVariant's conversions, which read the text "garbage"
// as true. Every write is synced at once, key by key; a file that could not be parsed is kept
// beside it (".unreadable") before the first write rewrites it. One that is not a plain file, or
// is larger than any settings file, is moved there unopened and the store starts empty.
class QtDefaultsStore : public DefaultsStore {
public:
    // The user's store: organisation "Quillmere", application "Quillmere Timer".
    QtDefaultsStore();
    // A store in the INI file at `path`.
    explicit QtDefaultsStore(const QString& path);

    bool contains(const std::string& key) const override;
    bool boolValue(const std::string& key) const override;
    std::int64_t integerValue(const std::string& key) const override;
    double doubleValue(const std::string& key) const override;
    std::optional<std::string> stringValue(const std::string& key) const override;
    void setBool(const std::string& key, bool value) override;
    void setDouble(const std::string& key, double value) override;
    void setString(const std::string& key, const std::string& value) override;

    QString fileName() const { return settings_->fileName(); }

private:
    // The stored value in our terms; none when absent or of a type no read understands.
    std::optional<StoredValue> read(const std::string& key) const;
    void write(const std::string& key, const QVariant& value);

    std::unique_ptr<QSettings> settings_;
    bool keptUnreadable_ = false;
};

} // namespace quillmere::qt
