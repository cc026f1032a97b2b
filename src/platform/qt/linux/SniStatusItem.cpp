#include "platform/qt/linux/SniStatusItem.h"

#include "platform/qt/QtImage.h"
#include "platform/qt/QtMenu.h"
#include "platform/qt/linux/DBusMenuExporter.h"
#include "platform/qt/linux/PrivateFolder.h"
#include "platform/qt/linux/StatusNotifierItemAdaptor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QPainter>
#include <QStandardPaths>
#include <QtDebug>
#include <QtEndian>

#include <algorithm>
#include <atomic>

namespace quillmere::qt {

namespace {

QString nextServiceName() {
    // A number per item of the process: a new item is made each time the status area comes back
    // after the program fell back to another presentation.
    static std::atomic<int> counter{0};
    return QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
}

} // namespace

SniStatusItem::SniStatusItem(QDBusConnection connection, const QString& iconFolder)
    : connection_(std::move(connection))
    , serviceName_(nextServiceName())
    , watcher_(QString::fromLatin1(WatcherService), connection_,
               QDBusServiceWatcher::WatchForOwnerChange) {
    registerDBusTypes();
    adaptor_ = std::make_unique<StatusNotifierItemAdaptor>(*this, connection_);
    // The object first: a host that sees the name may ask for it at once.
    objectRegistered_ =
        connection_.isConnected() &&
        connection_.registerVirtualObject(QString::fromLatin1(ItemPath), adaptor_.get());
    published_ = objectRegistered_ && connection_.registerService(serviceName_);
    // A watcher that starts, or restarts, knows nothing of the items registered before.
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (!newOwner.isEmpty()) {
                    registerWithWatcher();
                }
            });
    registerWithWatcher();
    // The icon folder and the first picture once the registration is on its way (emptying a
    // folder may wait for the disk): the host's first question is answered only when the event
    // loop runs, after this.
    if (PrivateFolder::prepareEmpty(iconFolder)) {
        iconFolder_ = iconFolder;
    } else if (!iconFolder.isEmpty()) {
        qWarning().noquote() << "Not using the icon folder" << iconFolder
                             << "(not a private folder of this user's): icons go as pixels only";
    }
    updateIcon();
}

SniStatusItem::~SniStatusItem() {
    exporter_.reset();
    // A process that ends through exit() (Qt does so when the X connection breaks) destroys the
    // item after Qt's D-Bus: its connections are closed by then, and the bus frees the name.
    if (!connection_.isConnected()) {
        return;
    }
    if (published_) {
        connection_.unregisterService(serviceName_);
    }
    if (objectRegistered_) {
        connection_.unregisterObject(QString::fromLatin1(ItemPath));
    }
}

void SniStatusItem::registerWithWatcher() {
    if (!published_) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(WatcherService), QString::fromLatin1(WatcherPath),
        QString::fromLatin1(WatcherService), QStringLiteral("RegisterStatusNotifierItem"));
    call << serviceName_;
    // A bus may know how to start some watcher; only a running one is asked.
    call.setAutoStartService(false);
    auto* pending = new QDBusPendingCallWatcher(connection_.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [](QDBusPendingCallWatcher* finished) {
                const QDBusError error = finished->error();
                // No watcher is a normal case: the owner of the item then shows something else.
                if (error.isValid() && error.type() != QDBusError::ServiceUnknown) {
                    qWarning().noquote()
                        << "The status area refused the status item:" << error.message();
                }
                finished->deleteLater();
            });
}

void SniStatusItem::setImage(std::shared_ptr<const Image> image) {
    if (imageSet_ && sameImage(image.get())) {
        return;
    }
    imageSet_ = true;
    image_ = std::move(image);
    scheduleIconUpdate();
}

bool SniStatusItem::sameImage(const Image* image) const {
    if (image == image_.get()) {
        return true;
    }
    // A resource looked up again may come as a new object with the same picture.
    return image != nullptr && image_ != nullptr && image->name() == image_->name() &&
           image->width() == image_->width() && image->height() == image_->height();
}

void SniStatusItem::setImageSize(double, double) {
    // Hosts draw the pixmap that fits their slot; both sizes are always published.
}

void SniStatusItem::setTitle(const std::string& text, const Font&, TitleColor color) {
    if (text == title_ && color == color_) {
        return;
    }
    const bool textChanged = text != title_;
    title_ = text;
    color_ = color;
    adaptor_->changed();
    if (textChanged) {
        adaptor_->notify("XAyatanaNewLabel", {label(), QString::fromLatin1(LabelGuide)});
    }
    // Red also marks the countdown's last second ("0"); only a red count-up ("+...") is a
    // reminder pending, which asks for the user's attention.
    const bool attention = color == TitleColor::Red && text.starts_with('+');
    if (attention != attention_) {
        attention_ = attention;
        adaptor_->notify("NewStatus", {status()});
    }
    if (showsTime()) {
        scheduleIconUpdate();
    }
}

void SniStatusItem::setToolTip(const std::string& text) {
    if (text == toolTip_) {
        return;
    }
    toolTip_ = text;
    adaptor_->changed();
    adaptor_->notify("NewToolTip");
}

void SniStatusItem::setElapsedFraction(double fraction) {
    elapsed_ = fraction;
    if (showsTime()) {
        scheduleIconUpdate();
    }
}

void SniStatusItem::setTimeInIcon(bool on) {
    if (on != timeInIcon_) {
        timeInIcon_ = on;
        scheduleIconUpdate();
    }
}

bool SniStatusItem::titleHiddenByDesktop() const {
    return hostHidesLabels(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
}

bool SniStatusItem::hostHidesLabels(const QString& currentDesktop) {
    // Plasma's status area draws icons only; the hosts that draw labels vary within a desktop
    // (Xfce has both kinds), so only a desktop known throughout counts.
    return currentDesktop.split(u':').contains(QStringLiteral("KDE"), Qt::CaseInsensitive);
}

void SniStatusItem::scheduleIconUpdate() {
    // Most refreshes change nothing the icon shows (the same minute, the same ring step).
    if (updatePending_ || (showsTime() && StatusIconPainter::content(image_.get(), title_, color_,
                                                                     elapsed_) == shown_)) {
        return;
    }
    updatePending_ = true;
    // Queued behind the refresh that asked, and ahead of any call that arrives after it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            updatePending_ = false;
            updateIcon();
        },
        Qt::QueuedConnection);
}

void SniStatusItem::setMenu(Menu& menu) {
    menu_ = &dynamic_cast<QtMenu&>(menu);
    exporter_.reset();
    exporter_ =
        std::make_unique<DBusMenuExporter>(*menu_, connection_, QString::fromLatin1(MenuPath));
    adaptor_->changed();
}

QString SniStatusItem::defaultIconFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : runtime + QStringLiteral("/quillmere-timer-icons");
}

QString SniStatusItem::iconThemePath() const {
    return iconFolder_;
}

DBusToolTip SniStatusItem::toolTip() const {
    return DBusToolTip{
        QString(), {}, QString::fromLatin1(ItemTitle), QString::fromStdString(toolTip_)};
}

QDBusObjectPath SniStatusItem::menuPath() const {
    return QDBusObjectPath(exporter_ ? QString::fromLatin1(MenuPath)
                                     : QStringLiteral("/NO_DBUSMENU"));
}

void SniStatusItem::popUpMenu() {
    if (menu_ != nullptr) {
        menu_->menu()->popup(QCursor::pos());
    }
}

void SniStatusItem::updateIcon() {
    StatusIconPainter::Content content =
        StatusIconPainter::content(image_.get(), title_, color_, elapsed_);
    // Without a picture (test mode) the time is the icon, as on a tray.
    const bool time = showsTime();
    if (!time) {
        content = StatusIconPainter::Content{content.logo, QString(), false, -1};
    }
    if (content == shown_) {
        return;
    }
    shown_ = content;
    ++pixmapRenders_;
    pixmaps_.clear();
    for (const int size : PixmapSizes) {
        pixmaps_.append(toDBusImage(painter_.picture(content, size), size));
    }
    // A new picture needs a new name: hosts keep what they loaded under a name.
    const QString name = !time && image_->name() == AppIconImage
                             ? QString::fromLatin1(AppIconName)
                             : QStringLiteral("quillmere-timer-%1")
                                   .arg(qHash(pixmaps_.constLast().argb), 16, 16, QLatin1Char('0'));
    if (name != iconName_) {
        // The one before stays for a host that is still loading it.
        if (!previousIconName_.isEmpty() && previousIconName_ != name) {
            removeIcon(previousIconName_);
        }
        previousIconName_ = iconName_;
        iconName_ = writeIcon(name) ? name : QString();
    }
    adaptor_->changed();
    adaptor_->notify("NewIcon");
}

bool SniStatusItem::writeIcon(const QString& name) const {
    if (iconFolder_.isEmpty()) {
        return false;
    }
    const QDir folder(iconFolder_);
    bool written = true;
    for (const DBusImage& pixmap : pixmaps_) {
        const QImage picture = fromDBusImage(pixmap);
        // Hosts look up a theme path either as a theme (sized folders) or as a plain folder of
        // icons: both are written, the largest loose in the folder.
        const QString sized = QStringLiteral("hicolor/%1x%1/apps").arg(pixmap.width);
        written = folder.mkpath(sized) &&
                  picture.save(folder.filePath(sized + QLatin1Char('/') + name + ".png")) &&
                  written;
        if (&pixmap == &pixmaps_.constLast()) {
            written = picture.save(folder.filePath(name + ".png")) && written;
        }
    }
    return written;
}

void SniStatusItem::removeIcon(const QString& name) const {
    if (iconFolder_.isEmpty()) {
        return;
    }
    QDir folder(iconFolder_);
    folder.remove(name + ".png");
    for (const DBusImage& pixmap : pixmaps_) {
        folder.remove(QStringLiteral("hicolor/%1x%1/apps/").arg(pixmap.width) + name + ".png");
    }
}

DBusImage SniStatusItem::toDBusImage(const QImage& picture, int size) {
    QImage square(size, size, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    {
        QPainter painter(&square);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize fitted = picture.size().scaled(size, size, Qt::KeepAspectRatio);
        painter.drawImage(
            QRect(QPoint((size - fitted.width()) / 2, (size - fitted.height()) / 2), fitted),
            picture);
    }
    const QImage argb = square.convertToFormat(QImage::Format_ARGB32);
    QByteArray bytes(static_cast<qsizetype>(size) * size * 4, Qt::Uninitialized);
    auto* out = reinterpret_cast<uchar*>(bytes.data());
    for (int y = 0; y < size; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            qToBigEndian<quint32>(line[x], out);
            out += 4;
        }
    }
    return DBusImage{size, size, bytes};
}

QImage SniStatusItem::fromDBusImage(const DBusImage& pixmap) {
    QImage picture(pixmap.width, pixmap.height, QImage::Format_ARGB32);
    const auto* in = reinterpret_cast<const uchar*>(pixmap.argb.constData());
    for (int y = 0; y < pixmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < pixmap.width; ++x) {
            line[x] = qFromBigEndian<quint32>(in);
            in += 4;
        }
    }
    return picture;
}

} // namespace quillmere::qt
