#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <xcb/xcb.h>

namespace quillmere::testing {

// An X server of the test's own (Xvfb), named by DISPLAY while it lives, so that no test touches
// the user's display; a window manager on it when asked for; and a connection to act on it as
// other programs and the user would.
class PrivateDisplay {
public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // False where Xvfb is not installed or did not start.
    bool isRunning() const { return connection_ != nullptr; }
    // Starts openbox and waits until it manages the screen; whether it does.
    bool startWindowManager();
    // Input from the user, through xdotool ("mousemove 5 5", "key Return").
    bool xdotool(const QStringList& arguments);

    // A mapped top-level window of another program.
    xcb_window_t createWindow();
    // Asks the window manager to activate `window` or to make it full screen, as a pager would.
    void activate(xcb_window_t window);
    void setFullScreen(xcb_window_t window, bool fullScreen);
    void setScreenSaverTimeout(int seconds);

private:
    xcb_atom_t atom(const char* name);
    bool hasProperty(xcb_window_t window, xcb_atom_t property);
    void sendToRoot(xcb_window_t window, xcb_atom_t type, std::uint32_t first,
                    std::uint32_t second);

    QProcess server_;
    QProcess windowManager_;
    QByteArray savedDisplay_;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
};

} // namespace quillmere::testing
