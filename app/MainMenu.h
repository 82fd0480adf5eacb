#pragma once

#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QObject;

namespace stacklume {

// The maker's web site, shown in the About menu and opened from it.
inline const QString WebSiteAddress = QStringLiteral("https://stacklume.org/");

// The main window's menu bar, its items named as the handlers that use them.
struct MainMenu {
    // Game
    QMenu* game1 = nullptr;
    QAction* newgame1 = nullptr;
    QAction* pause1 = nullptr;
    QAction* score1 = nullptr;
    QAction* quit1 = nullptr;
    // Preferences
    QMenu* preferences1 = nullptr;
    QMenu* speed1 = nullptr;
    QAction* veryslow = nullptr;
    QAction* slow = nullptr;
    QAction* normal = nullptr;
    QAction* fast = nullptr;
    QAction* Veyfast = nullptr;
    QMenu* Lateralstep1 = nullptr;
    QAction* N12 = nullptr;
    QAction* N22 = nullptr;
    QAction* N32 = nullptr;
    QMenu* Downarrow1 = nullptr;
    QAction* Drop1 = nullptr;
    QAction* Fastdrop1 = nullptr;
    QAction* Rotate1 = nullptr;
    QMenu* color1 = nullptr;
    QAction* multicolor1 = nullptr;
    QAction* redshade1 = nullptr;
    QAction* Sound1 = nullptr;
    QMenu* Background1 = nullptr;
    QActionGroup* backgroundGroup = nullptr;
    QAction* newbricks1 = nullptr;
    // Help
    QMenu* help1 = nullptr;
    QAction* rules1 = nullptr;
    QMenu* Controls = nullptr;
    QMenu* about2 = nullptr;
    QAction* stacklume20 = nullptr;
    QAction* copyright = nullptr;
    QAction* solvane1 = nullptr;
    QAction* email = nullptr;
};

// Builds every menu and item in order, with captions, shortcuts, separators, radio groups and
// the check marks of a window that has not read its settings yet. Handlers are connected by
// the window.
MainMenu BuildMainMenu(QMenuBar& bar, QObject& owner);

} // namespace stacklume
