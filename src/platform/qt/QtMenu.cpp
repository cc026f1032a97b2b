#include "platform/qt/QtMenu.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>

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
void QtMenuItem::setHidden(bool hidden) {
    action_->setVisible(!hidden);
}
bool QtMenuItem::isHidden() const {
    return !action_->isVisible();
}
bool QtMenuItem::isSeparator() const {
    return action_->isSeparator();
}

void QtMenuItem::trigger() {
    // A host may still send a click for an item it showed before the item was hidden.
    if (callback_ && action_->isEnabled() && action_->isVisible()) {
        callback_(*this);
    }
}

namespace {

// A menu that pops up on its own has no window its actions' shortcuts could belong to, so Qt never
// matches them: the open menu hands its key presses over instead.
class ShortcutFilter : public QObject {
public:
    explicit ShortcutFilter(QtMenu& menu)
        : menu_(menu) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        return menu_.handleShortcut(QKeySequence(key->keyCombination()));
    }

private:
    QtMenu& menu_;
};

} // namespace

QtMenu::QtMenu()
    : shortcutFilter_(std::make_unique<ShortcutFilter>(*this)) {
    menu_.installEventFilter(shortcutFilter_.get());
}

QtMenu::~QtMenu() {
    menu_.removeEventFilter(shortcutFilter_.get());
}

bool QtMenu::handleShortcut(const QKeySequence& keys) {
    for (const auto& item : items_) {
        QAction* action = item->action();
        if (!action->shortcut().isEmpty() && action->shortcut() == keys && action->isEnabled()) {
            menu_.close();
            // After the key press is done with: the action may run a modal window.
            QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
            return true;
        }
    }
    return false;
}

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
    notifyChanged();
    return *item;
}

void QtMenu::addSeparator() {
    QAction* separator = menu_.addSeparator();
    items_.push_back(std::make_unique<QtMenuItem>(separator, "", "", "", nullptr));
    notifyChanged();
}

MenuItem* QtMenu::itemWithTitle(const std::string& title) {
    for (const auto& item : items_) {
        if (!item->isSeparator() && item->title() == title) {
            return item.get();
        }
    }
    return nullptr;
}

QtMenu::ObserverId QtMenu::addObserver(std::function<void()> changed) {
    observers_.emplace_back(nextObserver_, std::move(changed));
    return nextObserver_++;
}

void QtMenu::removeObserver(ObserverId id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void QtMenu::setChangedCallback(std::function<void()> changed) {
    removeObserver(changedCallback_);
    changedCallback_ = changed ? addObserver(std::move(changed)) : 0;
}

void QtMenu::notifyChanged() const {
    // An observer may add or remove observers while it runs: one removed meanwhile (its owner
    // may be gone) is not called, one added meanwhile waits for the next change.
    std::vector<ObserverId> ids;
    for (const auto& entry : observers_) {
        ids.push_back(entry.first);
    }
    for (const ObserverId id : ids) {
        const auto found = std::find_if(observers_.begin(), observers_.end(),
                                        [id](const auto& entry) { return entry.first == id; });
        if (found != observers_.end()) {
            const auto observer = found->second;
            observer();
        }
    }
}

} // namespace quillmere::qt
