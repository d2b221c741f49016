// telvaro-app-icons DIR: the icon theme's pictures of Telvaro, drawn by the
// painter that draws the window's icon, so the two never differ.
#include "commands/CommandIcons.h"
#include "commands/CommandPictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// The sizes desktops ask the hicolor theme for.
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool MakeFolder(const QString& path)
{
    if (QDir().mkpath(path))
        return true;
    std::fprintf(stderr, "telvaro-app-icons: cannot create %s\n", qPrintable(path));
    return false;
}

bool WritePngs(const QString& theme)
{
    for (int size : kSizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
        const QString path = folder + QStringLiteral("/telvaro.png");
        if (!MakeFolder(folder))
            return false;
        if (!RenderAppIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "telvaro-app-icons: cannot write %s\n", qPrintable(path));
            return false;
        }
    }
    return true;
}

bool WriteSvg(const QString& theme)
{
    const QString folder = theme + QStringLiteral("/scalable/apps");
    if (!MakeFolder(folder))
        return false;
    const QString path = folder + QStringLiteral("/telvaro.svg");
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setTitle(QStringLiteral("Telvaro"));
    // The pictures are drawn on a 16 x 16 grid.
    svg.setSize(QSize(16, 16));
    svg.setViewBox(QRectF(0, 0, 16, 16));
    QPainter p;
    if (!p.begin(&svg)) {
        std::fprintf(stderr, "telvaro-app-icons: cannot write %s\n", qPrintable(path));
        return false;
    }
    p.setRenderHint(QPainter::Antialiasing);
    Pictures::App(p);
    return p.end();
}

}

int main(int argc, char* argv[])
{
    // Painting needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fputs("usage: telvaro-app-icons DIR\n", stderr);
        return 2;
    }
    const QString theme = args[1] + QStringLiteral("/hicolor");
    return WritePngs(theme) && WriteSvg(theme) ? 0 : 1;
}
