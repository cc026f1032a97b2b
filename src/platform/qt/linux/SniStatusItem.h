#pragma once

#include "platform/StatusItem.h"
#include "platform/qt/StatusIconPainter.h"
#include "platform/qt/linux/DBusTypes.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QImage>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string>

namespace quillmere::qt {

class DBusMenuExporter;
class StatusNotifierItemAdaptor;
class QtMenu;

// The status item as a StatusNotifierItem on the session bus, with its menu as a dbusmenu object.
// The title travels as the item's label (hosts that show labels put it beside the icon); the
// tooltip says the time in words under the application's name. Where the desktop shows no labels,
// or when asked, the icon carries the time too (drawn as on a tray). The unit sets the same icon
// and title every second: only a real change is published, so an idle countdown sends one label
// change a minute.
//
// The icon goes both as pixels and by name: some hosts (those that show labels among them) load
// icons by name only. Each picture shown is written to the user's icon folder, under a name of
// its own, so such hosts show the grey icon and the drawn title too, installed or not. The folder
// is one per user, reused and emptied by every start, so runs that end without cleaning up
// (killed, crashed, logged out) leave nothing behind.
class SniStatusItem : public QObject, public StatusItem {
    Q_OBJECT

public:
    static constexpr const char* WatcherService = "org.kde.StatusNotifierWatcher";
    static constexpr const char* WatcherPath = "/StatusNotifierWatcher";
    static constexpr const char* ItemPath = "/StatusNotifierItem";
    static constexpr const char* MenuPath = "/MenuBar";
    static constexpr const char* ItemId = "quillmere-timer";
    static constexpr const char* ItemTitle = "Quillmere Timer";
    // The application id, which is also the name of the icon installed in the hicolor theme; the
    // logo is published under it.
    static constexpr const char* AppIconName = "org.quillmere.Timer";
    // The image resource that theme icon shows.
    static constexpr const char* AppIconImage = "Quillmere.png";
    // The widest title expected, so that hosts keep the label's width steady.
    static constexpr const char* LabelGuide = "+>24h";
    static constexpr int PixmapSizes[] = {22, 44};

    // Publishes the item on `connection` and registers it with the watcher, now and whenever a
    // watcher starts. Icons are written to `iconFolder` when it is private to this user.
    explicit SniStatusItem(QDBusConnection connection = QDBusConnection::sessionBus(),
                           const QString& iconFolder = defaultIconFolder());
    ~SniStatusItem() override;

    void setImage(std::shared_ptr<const Image> image) override;
    bool hasImage() const override { return image_ != nullptr; }
    void setImageSize(double width, double height) override;
    void setTitle(const std::string& text, const Font& font, TitleColor color) override;
    void setMenu(Menu& menu) override;
    void setToolTip(const std::string& text) override;
    void setElapsedFraction(double fraction) override;
    void setTimeInIcon(bool on) override;
    bool titleHiddenByDesktop() const override;

    // Whether hosts of the desktop named in XDG_CURRENT_DESKTOP are known to show no labels.
    static bool hostHidesLabels(const QString& currentDesktop);

    // What the item's properties say.
    QString status() const { return attention_ ? "NeedsAttention" : "Active"; }
    const QString& iconName() const { return iconName_; }
    QString iconThemePath() const;
    const DBusImageList& iconPixmaps() const { return pixmaps_; }
    DBusToolTip toolTip() const;
    QString label() const { return QString::fromStdString(title_); }
    QDBusObjectPath menuPath() const;
    // How often the pixmaps were drawn, for tests of the idle cost.
    int pixmapRenders() const { return pixmapRenders_; }
    // A host asks for the item's menu at the pointer (a click on hosts that don't draw it).
    void popUpMenu();

    // "quillmere-timer-icons" in the user's runtime folder; empty when there is none.
    static QString defaultIconFolder();
    // `picture` fitted into a square of `size` pixels, as (iiay) with ARGB32 in network order.
    static DBusImage toDBusImage(const QImage& picture, int size);
    static QImage fromDBusImage(const DBusImage& pixmap);

private:
    void registerWithWatcher();
    // Changes made within one refresh are shown together, once the refresh is over.
    void scheduleIconUpdate();
    void updateIcon();
    bool showsTime() const { return timeInIcon_ || !hasImage(); }
    bool sameImage(const Image* image) const;
    // Writes the pixmaps as icon `name` into the icon folder; false when it can't.
    bool writeIcon(const QString& name) const;
    void removeIcon(const QString& name) const;

    QDBusConnection connection_;
    QString serviceName_;
    QString iconFolder_; // empty: icons go as pixels only
    std::unique_ptr<StatusNotifierItemAdaptor> adaptor_;
    bool objectRegistered_ = false;
    bool published_ = false;
    QDBusServiceWatcher watcher_;
    std::unique_ptr<DBusMenuExporter> exporter_;
    QtMenu* menu_ = nullptr;
    std::shared_ptr<const Image> image_;
    bool imageSet_ = false;
    std::string title_;
    TitleColor color_ = TitleColor::Default;
    bool attention_ = false;
    std::string toolTip_;
    std::optional<double> elapsed_;
    bool timeInIcon_ = false;
    bool updatePending_ = false;
    StatusIconPainter painter_;
    std::optional<StatusIconPainter::Content> shown_;
    QString iconName_;
    QString previousIconName_;
    DBusImageList pixmaps_;
    int pixmapRenders_ = 0;
};

} // namespace quillmere::qt
