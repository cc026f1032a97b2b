#pragma once

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <optional>

class QWidget;
class QWindow;

namespace quillmere::qt {

using SteadyClock = std::function<std::chrono::steady_clock::time_point()>;

// Keeps input meant for something else from answering a window that comes up on its own and
// takes the focus, as the reminder does while the person is typing or clicking elsewhere. Keys
// act on it only once it has been up for a second and there has been a pause since the previous
// key; a held key's repeats never do. A click acts once it has been up for half a second.
// Applies to input from the window system, which all arrives through the window's QWindow.
class StrayInputGuard : public QObject {
public:
    static constexpr std::chrono::milliseconds KeyDelay{1000};
    // Typing keeps keys closer than this (40 words a minute is about 300 ms a key, with many
    // gaps longer); reading the window and choosing an answer takes longer than this.
    static constexpr std::chrono::milliseconds KeyPause{500};
    static constexpr std::chrono::milliseconds ClickDelay{500};

    // Guards `window` from the moment it is shown, for as long as the guard lives.
    StrayInputGuard(QWidget& window, SteadyClock clock);
    ~StrayInputGuard() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool holdsKeys(std::chrono::steady_clock::time_point now, bool autoRepeat) const;

    QWidget& window_;
    QPointer<QWindow> handle_;
    SteadyClock clock_;
    std::optional<std::chrono::steady_clock::time_point> shownAt_;
    std::optional<std::chrono::steady_clock::time_point> lastKeyAt_;
};

} // namespace quillmere::qt
