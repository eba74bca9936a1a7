// Program entry.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravelo"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral(" Marbelo"));
    window.resize(780, 580);
    window.show();
    return app.exec();
}
