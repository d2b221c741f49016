#pragma once

#include <QIcon>
#include <QImage>

// Telvaro's own pictures, drawn rather than taken from the desktop theme so
// that they look the same on every system. Null for a command without one.
QIcon GetCommandIcon(int id);

// The program's icon (window, About box, desktop entry).
QIcon GetAppIcon();
QImage RenderAppIcon(int size);
