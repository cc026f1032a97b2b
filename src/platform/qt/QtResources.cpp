#include "platform/qt/QtResources.h"

#include "platform/qt/QtImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <utility>

namespace quillmere::qt {

QtResources::QtResources(QStringList folders)
    : folders_(std::move(folders)) {}

QStringList QtResources::standardFolders() {
    const QString executableDir = QCoreApplication::applicationDirPath();
    QStringList folders{
        QDir::cleanPath(executableDir + QStringLiteral("/resources")),
        QDir::cleanPath(QStringLiteral(QUILLMERE_DATA_DIR)),
        QDir::cleanPath(executableDir + QStringLiteral("/../share/quillmere-timer")),
    };
    folders.removeDuplicates(); // an install under the configured prefix names one folder twice
    return folders;
}

std::optional<std::string> QtResources::pathForResource(const std::string& name,
                                                        const std::string& extension) const {
    // As in a bundle, an empty extension means the name is the whole file name.
    const QString fileName =
        QString::fromStdString(extension.empty() ? name : name + '.' + extension);
    if (fileName.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& folder : folders_) {
        const QFileInfo file(QDir(folder), fileName);
        if (file.isFile()) {
            return file.absoluteFilePath().toStdString();
        }
    }
    return std::nullopt;
}

std::shared_ptr<const Image> QtResources::image(const std::string& name) {
    const auto cached = images_.find(name);
    if (cached != images_.end()) {
        return cached->second;
    }
    std::shared_ptr<const Image> loaded;
    if (const std::optional<std::string> path = pathForResource(name, {})) {
        // By the file's own format only: guessing would load and ask every image plugin, which
        // costs start-up time for our PNG files that Qt reads itself.
        const QString file = QString::fromStdString(*path);
        QImageReader reader(file, QFileInfo(file).suffix().toLatin1());
        reader.setAutoDetectImageFormat(false);
        QImage picture = reader.read();
        if (!picture.isNull()) {
            loaded = std::make_shared<QtImage>(name, std::move(picture));
        }
    }
    images_.emplace(name, loaded);
    return loaded;
}

} // namespace quillmere::qt
