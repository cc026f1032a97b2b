#include "platform/qt/QtAlert.h"

#include "platform/qt/QtRunLoop.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

#include <optional>
#include <vector>

namespace quillmere::qt {

namespace {

// QMessageBox answers Escape and the window's close with a guessed "escape button" (or ignores
// them); an alert answers them with no button at all, and comes to the front when shown.
class AlertBox : public QMessageBox {
protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override { QDialog::closeEvent(event); }

    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        raise();
        activateWindow();
    }
};

void showIcon(QMessageBox& box, AlertStyle style) {
    switch (style) {
    case AlertStyle::Informational: {
        // With no icon of its own an alert shows the application's; where the program has none
        // (test mode loads no images), no picture at all.
        const QIcon application = QApplication::windowIcon();
        if (application.isNull()) {
            box.setIcon(QMessageBox::NoIcon);
            return;
        }
        const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        box.setIconPixmap(application.pixmap(QSize(side, side), box.devicePixelRatioF()));
        return;
    }
    case AlertStyle::Critical:
        box.setIcon(QMessageBox::Critical);
        return;
    case AlertStyle::Warning:
        break;
    }
    box.setIcon(QMessageBox::Warning);
}

} // namespace

QtAlert::QtAlert(QtRunLoop& runLoop, SteadyClock clock)
    : runLoop_(runLoop)
    , clock_(std::move(clock)) {}

QtAlert::~QtAlert() = default;

int QtAlert::runModal() {
    AlertBox box;
    // A tray program has no main window: closing its last visible window must not quit it.
    box.setAttribute(Qt::WA_QuitOnClose, false);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    showIcon(box, style_);
    box.setWindowTitle(QString::fromStdString(messageText_));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(messageText_));
    box.setInformativeText(QString::fromStdString(informativeText_));
    // The message text is the alert's bold title; QMessageBox shows it plain outside macOS.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }

    std::vector<QPushButton*> buttons;
    for (const std::string& title : buttons_) {
        auto* button = new QPushButton(QString::fromStdString(title), &box);
        box.addButton(button, QMessageBox::AcceptRole);
        buttons.push_back(button);
    }
    if (buttons.empty()) {
        // Qt's own OK, in the user's language from Qt's catalogue.
        buttons.push_back(box.addButton(QMessageBox::Ok));
    }
    box.setDefaultButton(buttons.front());

    QCheckBox* suppression = nullptr;
    if (showsSuppression_) {
        suppression = new QCheckBox(QString::fromStdString(suppressionTitle_));
        suppression->setChecked(suppressionState_);
        box.setCheckBox(suppression); // the box takes it over
    }

    std::optional<StrayInputGuard> guard;
    if (!runLoop_.inModalRun()) {
        guard.emplace(box, clock_);
    }
    {
        QtRunLoop::ModalScope modal(runLoop_);
        box.exec();
    }

    if (suppression != nullptr) {
        suppressionState_ = suppression->isChecked();
    }
    const QAbstractButton* clicked = box.clickedButton();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == clicked) {
            return FirstButtonReturn + static_cast<int>(i);
        }
    }
    return 0;
}

} // namespace quillmere::qt
