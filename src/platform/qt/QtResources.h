#pragma once

#include "platform/Resources.h"

#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace quillmere::qt {

// Packaged files looked up like a bundle's: the first of the folders that has the file wins.
class QtResources : public Resources {
public:
    explicit QtResources(QStringList folders);

    // Next to the executable (the build tree), the installed data directory, and the data
    // directory relative to the executable (an install moved elsewhere).
    static QStringList standardFolders();

    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& extension) const override;
    // Decoded once per name; a miss is remembered too.
    std::shared_ptr<const Image> image(const std::string& name) override;

    const QStringList& folders() const { return folders_; }

private:
    QStringList folders_;
    std::map<std::string, std::shared_ptr<const Image>> images_;
};

} // namespace quillmere::qt
