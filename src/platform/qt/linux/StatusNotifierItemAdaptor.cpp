#include "platform/qt/linux/StatusNotifierItemAdaptor.h"

#include "platform/qt/linux/SniStatusItem.h"

namespace quillmere::qt {

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(SniStatusItem* item)
    : QDBusAbstractAdaptor(item)
    , item_(item) {
    connect(item_, &SniStatusItem::newIcon, this, &StatusNotifierItemAdaptor::NewIcon);
    connect(item_, &SniStatusItem::newToolTip, this, &StatusNotifierItemAdaptor::NewToolTip);
    connect(item_, &SniStatusItem::newStatus, this, &StatusNotifierItemAdaptor::NewStatus);
    connect(item_, &SniStatusItem::newLabel, this, &StatusNotifierItemAdaptor::XAyatanaNewLabel);
}

QString StatusNotifierItemAdaptor::id() const {
    return QString::fromLatin1(SniStatusItem::ItemId);
}

QString StatusNotifierItemAdaptor::title() const {
    return QString::fromLatin1(SniStatusItem::ItemTitle);
}

QString StatusNotifierItemAdaptor::status() const {
    return item_->status();
}

QString StatusNotifierItemAdaptor::iconThemePath() const {
    return item_->iconThemePath();
}

QString StatusNotifierItemAdaptor::iconName() const {
    return item_->iconName();
}

DBusImageList StatusNotifierItemAdaptor::iconPixmap() const {
    return item_->iconPixmaps();
}

DBusToolTip StatusNotifierItemAdaptor::toolTip() const {
    return item_->toolTip();
}

QDBusObjectPath StatusNotifierItemAdaptor::menu() const {
    return item_->menuPath();
}

QString StatusNotifierItemAdaptor::label() const {
    return item_->label();
}

QString StatusNotifierItemAdaptor::labelGuide() const {
    return QString::fromLatin1(SniStatusItem::LabelGuide);
}

void StatusNotifierItemAdaptor::Activate(int, int) {
    item_->popUpMenu();
}

void StatusNotifierItemAdaptor::SecondaryActivate(int, int) {
    item_->popUpMenu();
}

void StatusNotifierItemAdaptor::ContextMenu(int, int) {
    item_->popUpMenu();
}

void StatusNotifierItemAdaptor::Scroll(int, const QString&) {
    // Scrolling over the item means nothing to a timer.
}

} // namespace quillmere::qt
