// The baseline for the idle benchmark: the least a Qt program with a tray icon and a menu costs.
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::darkCyan);
    QSystemTrayIcon tray{QIcon(pixmap)};
    QMenu menu;
    menu.addAction("Quit", &application, &QApplication::quit);
    tray.setContextMenu(&menu);
    tray.setToolTip("baseline");
    tray.show();
    return QApplication::exec();
}
