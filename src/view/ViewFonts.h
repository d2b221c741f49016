#pragma once

#include <QFont>

// The view's fonts are all Arial at fixed pixel heights; where Arial is
// missing the desktop's sans-serif face stands in.
QFont ArialFont(int pixelSize, QFont::Weight weight);
