#include "platform/qt/QtMenu.h"

#include <QAction>
#include <QKeySequence>

namespace quillmere::qt {

QtMenuItem::QtMenuItem(QAction* action, std::string title, std::string actionName,
                       std::string keyEquivalent, Menu::Action callback)
    : action_(action)
    , title_(std::move(title))
    , actionName_(std::move(actionName))
    , keyEquivalent_(std::move(keyEquivalent))
    , callback_(std::move(callback)) {}

void QtMenuItem::setState(bool on) {
    action_->setCheckable(true);
    action_->setChecked(on);
}

bool QtMenuItem::state() const {
    return action_->isChecked();
}
void QtMenuItem::setEnabled(bool enabled) {
    action_->setEnabled(enabled);
}
bool QtMenuItem::isEnabled() const {
    return action_->isEnabled();
}
bool QtMenuItem::isSeparator() const {
    return action_->isSeparator();
}

void QtMenuItem::trigger() {
    if (callback_ && action_->isEnabled()) {
        callback_(*this);
    }
}

QtMenu::QtMenu() = default;
QtMenu::~QtMenu() = default;

MenuItem& QtMenu::addItem(const std::string& title, const std::string& actionName,
                          const std::string& keyEquivalent, Action action) {
    QAction* qaction = menu_.addAction(QString::fromStdString(title));
    if (!keyEquivalent.empty()) {
        qaction->setShortcut(QKeySequence(QStringLiteral("Ctrl+") +
                                          QString::fromStdString(keyEquivalent).toUpper()));
        // As on the menu bar of a desktop: the shortcut works while the menu is open.
        qaction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    items_.push_back(
        std::make_unique<QtMenuItem>(qaction, title, actionName, keyEquivalent, std::move(action)));
    QtMenuItem* item = items_.back().get();
    QObject::connect(qaction, &QAction::triggered, qaction, [item] { item->trigger(); });
    QObject::connect(qaction, &QAction::changed, qaction, [this] { notifyChanged(); });
    return *item;
}

void QtMenu::addSeparator() {
    QAction* separator = menu_.addSeparator();
    items_.push_back(std::make_unique<QtMenuItem>(separator, "", "", "", nullptr));
}

MenuItem* QtMenu::itemWithTitle(const std::string& title) {
    for (const auto& item : items_) {
        if (!item->isSeparator() && item->title() == title) {
            return item.get();
        }
    }
    return nullptr;
}

void QtMenu::notifyChanged() const {
    if (changed_) {
        changed_();
    }
}

} // namespace quillmere::qt
