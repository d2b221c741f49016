#pragma once

#include <QFont>
#include <QString>

// A font asked for by the height of its character cell (ascent plus
// descent), as the program's page and dialog layouts give their fonts,
// rather than by its em size. Unhinted, so that what is measured in one
// place is drawn the same on every device.
QFont MakeCellFont(const QString& family, int cellHeight, int weight);
