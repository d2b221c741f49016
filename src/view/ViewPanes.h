#pragma once

#include <QRect>
#include <QSize>

// Where the view's four framed panes go in a client area: the list at the
// top left, the information pane below it from half the height down, the
// hint line under that and the column of picture buttons at the right.
// The outer rectangles carry the sunken frames; the inner ones, 2 pixels
// smaller on every side, hold the child windows.
struct CViewPanes
{
    QRect m_rcListFrame, m_rcInfoFrame, m_rcButtonsFrame, m_rcHintFrame;
    QRect m_rcList, m_rcInfo, m_rcButtons, m_rcHint;
    // The two picture buttons, centred in the button column.
    QRect m_rcSupport, m_rcRegister;

    static CViewPanes Compute(const QSize& client);
};
