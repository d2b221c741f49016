#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Telvaro"));
    QApplication::setApplicationName(QStringLiteral("Telvaro"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Untitled - Telvaro"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
