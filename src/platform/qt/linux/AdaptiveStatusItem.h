#pragma once

#include "platform/Font.h"
#include "platform/StatusItem.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace quillmere {
class DefaultsStore;
}

namespace quillmere::qt {

// The status item of a Linux desktop, which may or may not have a status area, and of which
// kind: a StatusNotifierItem while a watcher is on the session bus, else a tray icon (XEmbed)
// while a tray is there, else a small status window. It keeps what the unit last set and moves
// it to the presentation that fits the desktop as it changes (a panel started after the program,
// a panel that quits).
class AdaptiveStatusItem : public QObject, public StatusItem {
    Q_OBJECT

public:
    enum class Backend { StatusNotifier, TrayIcon, Window };

    // Checking for a tray costs an X round trip: rare enough, and only while there's no watcher.
    static constexpr std::chrono::milliseconds TrayPollInterval{5000};
    // A watcher that restarts leaves the bus for a moment; the item waits before falling back.
    static constexpr std::chrono::milliseconds WatcherGrace{2000};

    // On the session bus, asking Qt whether there is a tray. `store` keeps where the status
    // window was put.
    explicit AdaptiveStatusItem(DefaultsStore& store);
    AdaptiveStatusItem(DefaultsStore& store, QDBusConnection connection,
                       std::function<bool()> trayAvailable,
                       std::chrono::milliseconds trayPollInterval = TrayPollInterval,
                       std::chrono::milliseconds watcherGrace = WatcherGrace);
    ~AdaptiveStatusItem() override;

    void setImage(std::shared_ptr<const Image> image) override;
    bool hasImage() const override { return image_ != nullptr; }
    void setImageSize(double width, double height) override;
    void setTitle(const std::string& text, const Font& font, TitleColor color) override;
    void setMenu(Menu& menu) override;
    void setToolTip(const std::string& text) override;
    void setElapsedFraction(double fraction) override;
    void setTimeInIcon(bool on) override;
    // Whether the desktop's status area hosts show labels, whichever presentation is in use now.
    bool titleHiddenByDesktop() const override;

    Backend backend() const { return backend_; }
    // The presentation in use.
    StatusItem& current() { return *current_; }
    // Chooses again for the desktop as it is now; called on every change it is told of.
    void reconsider();

private:
    struct Title {
        std::string text;
        Font font;
        TitleColor color;
    };

    Backend choose() const;
    void switchTo(Backend backend);
    void onWatcherOwnerChanged(const QString& newOwner);

    DefaultsStore& store_;
    QDBusConnection connection_;
    std::function<bool()> trayAvailable_;
    QDBusServiceWatcher watcher_;
    QTimer trayPoll_;
    QTimer grace_;
    bool watcherPresent_ = false;
    Backend backend_ = Backend::Window;
    std::unique_ptr<StatusItem> current_;

    // What the unit last set, for the next presentation.
    bool imageSet_ = false;
    std::shared_ptr<const Image> image_;
    std::optional<std::pair<double, double>> imageSize_;
    std::optional<Title> title_;
    std::optional<std::string> toolTip_;
    std::optional<double> elapsed_;
    bool timeInIcon_ = false;
    Menu* menu_ = nullptr;
};

} // namespace quillmere::qt
