#pragma once

class QPainter;
class QPaintDevice;

// The printable area of a page in twips (1440 to the inch) as the page
// layout measures it: x to the right and y upwards from the top edge, so
// that everything on the page lies at y of 0 or below. Margins and columns
// are derived from it.
class CPageFrame
{
public:
    static constexpr int kTwipsPerInch = 1440;

    // A printable area of width by height twips.
    static CPageFrame FromSize(int width, int height);
    // The area that a painter on device draws into.
    static CPageFrame ForDevice(const QPaintDevice& device);
    // Makes one unit of painter one twip of device; painter's y still runs
    // downwards, so a layout y is drawn at -y.
    static void ScaleToTwips(QPainter& painter, const QPaintDevice& device);

    int m_nLeft = 0;     // L
    int m_nTop = 0;      // T
    int m_nRight = 0;    // R
    int m_nBottom = 0;   // B, below the top: negative

    // The list's left edge (three quarters of an inch in), the width up to
    // half an inch before the right edge, and the status column.
    int X0() const { return m_nLeft + 1080; }
    int UsableWidth() const { return m_nRight - m_nLeft - 1800; }
    int StatusX() const { return X0() + UsableWidth() / 3; }
    int RightX() const { return X0() + UsableWidth(); }
};
