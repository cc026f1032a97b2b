#pragma once

#include "platform/Menu.h"

#include <QMenu>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QKeySequence;
class QObject;

namespace quillmere::qt {

// One QAction of the status menu.
class QtMenuItem : public MenuItem {
public:
    QtMenuItem(QAction* action, std::string title, std::string actionName,
               std::string keyEquivalent, Menu::Action callback);

    const std::string& title() const override { return title_; }
    const std::string& actionName() const override { return actionName_; }
    const std::string& keyEquivalent() const override { return keyEquivalent_; }
    void setState(bool on) override;
    bool state() const override;
    void setEnabled(bool enabled) override;
    bool isEnabled() const override;
    void setHidden(bool hidden) override;
    bool isHidden() const override;
    bool isSeparator() const override;

    QAction* action() const { return action_; }
    // Carries out the item's action, as a click does.
    void trigger();

private:
    QAction* action_;
    std::string title_;
    std::string actionName_;
    std::string keyEquivalent_;
    Menu::Action callback_;
};

// The status menu as a QMenu; key equivalents act only while it is open.
class QtMenu : public Menu {
public:
    QtMenu();
    ~QtMenu() override;

    MenuItem& addItem(const std::string& title, const std::string& actionName,
                      const std::string& keyEquivalent, Action action) override;
    void addSeparator() override;
    MenuItem* itemWithTitle(const std::string& title) override;

    QMenu* menu() { return &menu_; }
    const std::vector<std::unique_ptr<QtMenuItem>>& items() const { return items_; }

    // Observers are called after any item changed what it shows, or an item was added. Several
    // presentations of the one menu can watch it at once (the tray's QMenu, an exported copy).
    using ObserverId = int;
    ObserverId addObserver(std::function<void()> changed);
    void removeObserver(ObserverId id);
    // The one observer set this way; a later call replaces it.
    void setChangedCallback(std::function<void()> changed);
    void notifyChanged() const;

    // The key equivalent pressed while the menu is open chooses its item.
    bool handleShortcut(const QKeySequence& keys);

private:
    QMenu menu_;
    std::unique_ptr<QObject> shortcutFilter_;
    std::vector<std::unique_ptr<QtMenuItem>> items_;
    std::vector<std::pair<ObserverId, std::function<void()>>> observers_;
    ObserverId nextObserver_ = 1;
    ObserverId changedCallback_ = 0;
};

} // namespace quillmere::qt
