#include "MainMenu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include <initializer_list>

namespace stacklume {

namespace {

QAction* AddItem(QMenu& menu, const QString& caption, const QString& name,
                 QKeySequence shortcut = QKeySequence()) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The game's keys work whichever of its windows has the keyboard.
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    return action;
}

QMenu* AddSubmenu(QMenu& menu, const QString& caption, const QString& name) {
    QMenu* submenu = menu.addMenu(caption);
    submenu->setObjectName(name);
    submenu->menuAction()->setObjectName(name);
    return submenu;
}

// A submenu whose items form one exclusive radio group.
void MakeRadioGroup(QObject& owner, std::initializer_list<QAction*> items, QAction* checked) {
    auto* group = new QActionGroup(&owner);
    group->setExclusive(true);
    for (QAction* item : items) {
        item->setCheckable(true);
        group->addAction(item);
    }
    checked->setChecked(true);
}

void BuildGameMenu(QMenuBar& bar, MainMenu& menu) {
    menu.game1 = bar.addMenu(QStringLiteral("Game"));
    menu.game1->setObjectName(QStringLiteral("game1"));
    menu.newgame1 = AddItem(*menu.game1, QStringLiteral("New game"), QStringLiteral("newgame1"), Qt::Key_F9);
    menu.pause1 = AddItem(*menu.game1, QStringLiteral("Pause"), QStringLiteral("pause1"), Qt::Key_F10);
    menu.score1 = AddItem(*menu.game1, QStringLiteral("Score"), QStringLiteral("score1"), Qt::Key_F11);
    menu.game1->addSeparator()->setObjectName(QStringLiteral("N4"));
    menu.quit1 = AddItem(*menu.game1, QStringLiteral("Quit"), QStringLiteral("quit1"));
}

void BuildPreferencesMenu(QMenuBar& bar, QObject& owner, MainMenu& menu) {
    menu.preferences1 = bar.addMenu(QStringLiteral("Preferences"));
    menu.preferences1->setObjectName(QStringLiteral("preferences1"));
    QMenu& preferences = *menu.preferences1;

    menu.speed1 = AddSubmenu(preferences, QStringLiteral("Speed"), QStringLiteral("speed1"));
    menu.veryslow = AddItem(*menu.speed1, QStringLiteral("Very slow"), QStringLiteral("veryslow"));
    menu.slow = AddItem(*menu.speed1, QStringLiteral("Slow"), QStringLiteral("slow"));
    menu.normal = AddItem(*menu.speed1, QStringLiteral("Medium"), QStringLiteral("normal"));
    menu.fast = AddItem(*menu.speed1, QStringLiteral("Fast"), QStringLiteral("fast"));
    menu.Veyfast = AddItem(*menu.speed1, QStringLiteral("Very fast"), QStringLiteral("Veyfast"));
    MakeRadioGroup(owner, {menu.veryslow, menu.slow, menu.normal, menu.fast, menu.Veyfast}, menu.normal);

    menu.Lateralstep1 =
        AddSubmenu(preferences, QStringLiteral("Lateral latency"), QStringLiteral("Lateralstep1"));
    menu.N12 = AddItem(*menu.Lateralstep1, QStringLiteral("Short"), QStringLiteral("N12"));
    menu.N22 = AddItem(*menu.Lateralstep1, QStringLiteral("Medium"), QStringLiteral("N22"));
    menu.N32 = AddItem(*menu.Lateralstep1, QStringLiteral("Long"), QStringLiteral("N32"));
    MakeRadioGroup(owner, {menu.N12, menu.N22, menu.N32}, menu.N32);

    menu.Downarrow1 = AddSubmenu(preferences, QStringLiteral("Down arrow"), QStringLiteral("Downarrow1"));
    menu.Drop1 = AddItem(*menu.Downarrow1, QStringLiteral("Drop"), QStringLiteral("Drop1"));
    menu.Fastdrop1 = AddItem(*menu.Downarrow1, QStringLiteral("Fast drop"), QStringLiteral("Fastdrop1"));
    menu.Rotate1 = AddItem(*menu.Downarrow1, QStringLiteral("Rotation"), QStringLiteral("Rotate1"));
    MakeRadioGroup(owner, {menu.Drop1, menu.Fastdrop1, menu.Rotate1}, menu.Drop1);

    menu.color1 = AddSubmenu(preferences, QStringLiteral("Color"), QStringLiteral("color1"));
    menu.multicolor1 = AddItem(*menu.color1, QStringLiteral("Multicolored"), QStringLiteral("multicolor1"));
    menu.redshade1 = AddItem(*menu.color1, QStringLiteral("Red shades"), QStringLiteral("redshade1"));
    MakeRadioGroup(owner, {menu.multicolor1, menu.redshade1}, menu.multicolor1);

    preferences.addSeparator()->setObjectName(QStringLiteral("N3"));
    menu.Sound1 = AddItem(preferences, QStringLiteral("Sound effects"), QStringLiteral("Sound1"));
    menu.Sound1->setCheckable(true);
    menu.Sound1->setChecked(true);
    preferences.addSeparator()->setObjectName(QStringLiteral("bar2"));
    menu.Background1 = AddSubmenu(preferences, QStringLiteral("Background"), QStringLiteral("Background1"));
    menu.backgroundGroup = new QActionGroup(&owner);
    menu.backgroundGroup->setExclusive(true);
    preferences.addSeparator()->setObjectName(QStringLiteral("N2"));
    menu.newbricks1 =
        AddItem(preferences, QStringLiteral("Personalized bricks"), QStringLiteral("newbricks1"));
}

void BuildHelpMenu(QMenuBar& bar, MainMenu& menu) {
    menu.help1 = bar.addMenu(QStringLiteral("Help"));
    menu.help1->setObjectName(QStringLiteral("help1"));
    menu.rules1 = AddItem(*menu.help1, QStringLiteral("Help"), QStringLiteral("rules1"), Qt::Key_F1);

    menu.Controls = AddSubmenu(*menu.help1, QStringLiteral("Controls"), QStringLiteral("Controls"));
    QMenu& controls = *menu.Controls;
    AddItem(controls, QStringLiteral("Left Arrow : move block to the left"), QStringLiteral("left"));
    AddItem(controls, QStringLiteral("Right Arrow : move block to the right"), QStringLiteral("right"));
    AddItem(controls, QStringLiteral("Up Arrow : rotate block clockwise"), QStringLiteral("uparrow"));
    AddItem(controls, QStringLiteral("Down Arrow : slow drop or fast drop or rotation"),
            QStringLiteral("downarrow"));
    controls.addSeparator()->setObjectName(QStringLiteral("N5"));
    AddItem(controls, QStringLiteral("Space : fast drop"), QStringLiteral("space"));
    AddItem(controls, QStringLiteral("Del : fast drop"), QStringLiteral("del"));
    controls.addSeparator()->setObjectName(QStringLiteral("N7"));
    AddItem(controls, QStringLiteral("Shift : slow drop"), QStringLiteral("shift"));
    AddItem(controls, QStringLiteral("Ctrl : slow drop"), QStringLiteral("ctrl"));
    AddItem(controls, QStringLiteral("Alt Gr : slow drop"), QStringLiteral("altgr"));

    menu.about2 = AddSubmenu(*menu.help1, QStringLiteral("About"), QStringLiteral("about2"));
    menu.stacklume20 = AddItem(*menu.about2, QStringLiteral("Stacklume 2.0"), QStringLiteral("stacklume20"));
    menu.copyright =
        AddItem(*menu.about2, QStringLiteral("Copyright 2026 The Stacklume developers, MIT licence"),
                QStringLiteral("copyright"));
    menu.about2->addSeparator()->setObjectName(QStringLiteral("N6"));
    menu.solvane1 = AddItem(*menu.about2, QStringLiteral("Solvane"), QStringLiteral("solvane1"));
    menu.about2->addSeparator()->setObjectName(QStringLiteral("N1"));
    QString address = WebSiteAddress;
    address.chop(1);
    menu.email = AddItem(*menu.about2, address, QStringLiteral("email"));
}

} // namespace

MainMenu BuildMainMenu(QMenuBar& bar, QObject& owner) {
    bar.setObjectName(QStringLiteral("MainMenu1"));
    MainMenu menu;
    BuildGameMenu(bar, menu);
    BuildPreferencesMenu(bar, owner, menu);
    BuildHelpMenu(bar, menu);
    return menu;
}

} // namespace stacklume
