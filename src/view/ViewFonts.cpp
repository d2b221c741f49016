#include "view/ViewFonts.h"

QFont ArialFont(int pixelSize, QFont::Weight weight)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}
