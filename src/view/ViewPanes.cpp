#include "view/ViewPanes.h"

#include "view/PictureButton.h"

namespace {

// From corner coordinates, as the panes are defined; never negative in size.
QRect FromCorners(int left, int top, int right, int bottom)
{
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

QRect Shrunk(const QRect& r)
{
    return FromCorners(r.left() + 2, r.top() + 2, r.left() + r.width() - 2, r.top() + r.height() - 2);
}

}

CViewPanes CViewPanes::Compute(const QSize& client)
{
    const int w = client.width();
    const int h = client.height();
    CViewPanes p;
    const int infoTop = h / 2;
    const int infoRight = w - 120;
    const int infoBottom = h - 46;
    p.m_rcInfoFrame = FromCorners(2, infoTop, infoRight, infoBottom);
    p.m_rcListFrame = FromCorners(2, 4, infoRight, infoTop - 6);
    p.m_rcButtonsFrame = FromCorners(infoRight + 4, 4, w - 2, h - 4);
    p.m_rcHintFrame = FromCorners(2, infoBottom + 6, infoRight, h - 4);
    p.m_rcInfo = Shrunk(p.m_rcInfoFrame);
    p.m_rcList = Shrunk(p.m_rcListFrame);
    p.m_rcButtons = Shrunk(p.m_rcButtonsFrame);
    p.m_rcHint = Shrunk(p.m_rcHintFrame);
    const int x = p.m_rcButtons.left() + (p.m_rcButtons.width() - CPictureButton::kWidth) / 2;
    p.m_rcSupport = QRect(x, p.m_rcButtons.top() + 20, CPictureButton::kWidth, CPictureButton::kHeight);
    p.m_rcRegister = QRect(x, p.m_rcButtons.top() + 100, CPictureButton::kWidth, CPictureButton::kHeight);
    return p;
}
