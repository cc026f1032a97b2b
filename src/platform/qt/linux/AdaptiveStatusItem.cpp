#include "platform/qt/linux/AdaptiveStatusItem.h"

#include "platform/qt/QtStatusItem.h"
#include "platform/qt/StatusWindow.h"
#include "platform/qt/linux/SniStatusItem.h"

#include <QDBusConnectionInterface>
#include <QSystemTrayIcon>

namespace quillmere::qt {

AdaptiveStatusItem::AdaptiveStatusItem(DefaultsStore& store)
    : AdaptiveStatusItem(store, QDBusConnection::sessionBus(),
                         &QSystemTrayIcon::isSystemTrayAvailable) {}

AdaptiveStatusItem::AdaptiveStatusItem(DefaultsStore& store, QDBusConnection connection,
                                       std::function<bool()> trayAvailable,
                                       std::chrono::milliseconds trayPollInterval,
                                       std::chrono::milliseconds watcherGrace)
    : store_(store)
    , connection_(std::move(connection))
    , trayAvailable_(std::move(trayAvailable))
    , watcher_(QString::fromLatin1(SniStatusItem::WatcherService), connection_,
               QDBusServiceWatcher::WatchForOwnerChange) {
    // A very coarse timer wakes on whole seconds only, which suits a poll of several seconds.
    trayPoll_.setTimerType(trayPollInterval >= std::chrono::seconds(1) ? Qt::VeryCoarseTimer
                                                                       : Qt::CoarseTimer);
    trayPoll_.setInterval(trayPollInterval);
    connect(&trayPoll_, &QTimer::timeout, this, &AdaptiveStatusItem::reconsider);
    grace_.setSingleShot(true);
    grace_.setInterval(watcherGrace);
    connect(&grace_, &QTimer::timeout, this, [this] {
        watcherPresent_ = false;
        reconsider();
    });
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                onWatcherOwnerChanged(newOwner);
            });
    const QDBusConnectionInterface* bus =
        connection_.isConnected() ? connection_.interface() : nullptr;
    watcherPresent_ =
        bus != nullptr &&
        bus->isServiceRegistered(QString::fromLatin1(SniStatusItem::WatcherService)).value();
    reconsider();
}

AdaptiveStatusItem::~AdaptiveStatusItem() = default;

void AdaptiveStatusItem::onWatcherOwnerChanged(const QString& newOwner) {
    if (newOwner.isEmpty()) {
        grace_.start();
        return;
    }
    grace_.stop();
    if (!watcherPresent_) {
        watcherPresent_ = true;
        reconsider();
    }
    // Otherwise the watcher came back in time: the item registers with it again by itself.
}

AdaptiveStatusItem::Backend AdaptiveStatusItem::choose() const {
    if (watcherPresent_) {
        return Backend::StatusNotifier;
    }
    // Asked only while no watcher is there: Qt decides once whether its own tray icon goes over
    // D-Bus, and it must not, for a fallback that exists because the watcher is gone.
    return trayAvailable_() ? Backend::TrayIcon : Backend::Window;
}

void AdaptiveStatusItem::reconsider() {
    const Backend wanted = choose();
    if (current_ && wanted == backend_) {
        return;
    }
    switchTo(wanted);
}

void AdaptiveStatusItem::switchTo(Backend backend) {
    // The old presentation goes first, so the item never shows twice.
    current_.reset();
    backend_ = backend;
    StatusWindow* window = nullptr;
    switch (backend) {
    case Backend::StatusNotifier:
        current_ = std::make_unique<SniStatusItem>(connection_);
        break;
    case Backend::TrayIcon:
        current_ = std::make_unique<QtStatusItem>();
        break;
    case Backend::Window:
        current_ = std::make_unique<StatusWindow>(store_);
        window = static_cast<StatusWindow*>(current_.get());
        break;
    }
    if (menu_ != nullptr) {
        current_->setMenu(*menu_);
    }
    if (imageSet_) {
        current_->setImage(image_);
    }
    if (imageSize_) {
        current_->setImageSize(imageSize_->first, imageSize_->second);
    }
    if (toolTip_) {
        current_->setToolTip(*toolTip_);
    }
    current_->setTimeInIcon(timeInIcon_);
    if (elapsed_) {
        current_->setElapsedFraction(*elapsed_);
    }
    if (title_) {
        current_->setTitle(title_->text, title_->font, title_->color);
    }
    if (window != nullptr) {
        window->show();
    }
    // A status area that comes or goes announces nothing we can hear but its watcher.
    if (backend == Backend::StatusNotifier) {
        trayPoll_.stop();
    } else if (!trayPoll_.isActive()) {
        trayPoll_.start();
    }
}

void AdaptiveStatusItem::setImage(std::shared_ptr<const Image> image) {
    imageSet_ = true;
    image_ = image;
    current_->setImage(std::move(image));
}

void AdaptiveStatusItem::setImageSize(double width, double height) {
    imageSize_.emplace(width, height);
    current_->setImageSize(width, height);
}

void AdaptiveStatusItem::setTitle(const std::string& text, const Font& font, TitleColor color) {
    title_ = Title{text, font, color};
    current_->setTitle(text, font, color);
}

void AdaptiveStatusItem::setMenu(Menu& menu) {
    menu_ = &menu;
    current_->setMenu(menu);
}

void AdaptiveStatusItem::setToolTip(const std::string& text) {
    toolTip_ = text;
    current_->setToolTip(text);
}

void AdaptiveStatusItem::setElapsedFraction(double fraction) {
    elapsed_ = fraction;
    current_->setElapsedFraction(fraction);
}

void AdaptiveStatusItem::setTimeInIcon(bool on) {
    timeInIcon_ = on;
    current_->setTimeInIcon(on);
}

bool AdaptiveStatusItem::titleHiddenByDesktop() const {
    return SniStatusItem::hostHidesLabels(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
}

} // namespace quillmere::qt
