// A plain window that takes the keyboard when it is activated, for the tests in which the game
// loses the keyboard to another program. Usage: e2e_focus_taker <title>

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Another program"));
    window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Another window"));
    window.setFocusPolicy(Qt::StrongFocus);
    // Of a fixed size, as the game's window: sway floats it rather than tiling it over the screen.
    window.setFixedSize(200, 100);
    window.show();
    return application.exec();
}
