#include "print/PageFrame.h"

#include <QPaintDevice>
#include <QPainter>

CPageFrame CPageFrame::FromSize(int width, int height)
{
    CPageFrame frame;
    frame.m_nRight = width;
    frame.m_nBottom = -height;
    return frame;
}

CPageFrame CPageFrame::ForDevice(const QPaintDevice& device)
{
    const int dpiX = device.logicalDpiX() > 0 ? device.logicalDpiX() : 72;
    const int dpiY = device.logicalDpiY() > 0 ? device.logicalDpiY() : 72;
    return FromSize(int(qint64(device.width()) * kTwipsPerInch / dpiX),
                    int(qint64(device.height()) * kTwipsPerInch / dpiY));
}

void CPageFrame::ScaleToTwips(QPainter& painter, const QPaintDevice& device)
{
    const int dpiX = device.logicalDpiX() > 0 ? device.logicalDpiX() : 72;
    const int dpiY = device.logicalDpiY() > 0 ? device.logicalDpiY() : 72;
    painter.scale(double(dpiX) / kTwipsPerInch, double(dpiY) / kTwipsPerInch);
}
