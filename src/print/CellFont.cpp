#include "print/CellFont.h"

#include <QFontMetricsF>

#include <cmath>

QFont MakeCellFont(const QString& family, int cellHeight, int weight)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setWeight(QFont::Weight(weight));
    // Measured at a large size, so rounding does not spoil the ratio.
    constexpr int kProbe = 1000;
    font.setPixelSize(kProbe);
    const QFontMetricsF metrics(font);
    const double cell = metrics.ascent() + metrics.descent();
    const int pixels = cell > 0 ? int(std::lround(double(cellHeight) * kProbe / cell)) : cellHeight;
    font.setPixelSize(pixels > 0 ? pixels : 1);
    return font;
}
