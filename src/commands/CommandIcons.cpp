#include "commands/CommandIcons.h"

#include "commands/CommandPictures.h"
#include "commands/CommandTable.h"

#include <QPainter>
#include <QPixmap>

#include <map>

namespace {

template <class Paint>
QImage Render(const Paint& paint, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 16 x 16 grid and scaled, so it stays sharp at any size the
    // toolbar or the menus ask for.
    p.scale(size / 16.0, size / 16.0);
    paint(p);
    return image;
}

template <class Paint>
QIcon MakeIcon(const Paint& paint)
{
    QIcon icon;
    for (int size : {16, 18, 20, 24, 32, 36, 48, 64})
        icon.addPixmap(QPixmap::fromImage(Render(paint, size)));
    return icon;
}

}

QIcon GetCommandIcon(CommandId id)
{
    // Menus and the toolbar are rebuilt often; drawing eight sizes each
    // time would be wasted. Never destroyed: pixmaps must not outlive the
    // application object, and a program-wide map would.
    static auto* const cache = new std::map<CommandId, QIcon>;
    if (const auto it = cache->find(id); it != cache->end())
        return it->second;
    const CommandInfo* command = FindCommand(id);
    QIcon icon = command && command->m_paint ? MakeIcon(command->m_paint) : QIcon();
    cache->emplace(id, icon);
    return icon;
}

QIcon GetAppIcon()
{
    QIcon icon = MakeIcon(Pictures::App);
    icon.addPixmap(QPixmap::fromImage(Render(Pictures::App, 128)));
    return icon;
}

QImage RenderAppIcon(int size)
{
    return Render(Pictures::App, size);
}

QIcon GetBusyIcon(int frame)
{
    return MakeIcon([frame](QPainter& p) { Pictures::Busy(p, frame); });
}
