#pragma once

#include "commands/CommandId.h"

#include <QIcon>
#include <QImage>

// The picture of a command as an icon, rendered once and kept; null for a
// command without one. GUI thread only.
QIcon GetCommandIcon(CommandId id);

// The program's icon (window, About box, desktop entry).
QIcon GetAppIcon();
QImage RenderAppIcon(int size);
// One picture of the notification-area icon's animation (0 to
// Pictures::kBusyFrames - 1).
QIcon GetBusyIcon(int frame);
