#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

class QWidget;

// Where the main window was and how it was shown, kept in "WindowPos" as ten
// numbers: flags, show command, minimised position, maximised position and
// the normal rectangle (left, top, right, bottom). The layout is that of the
// stored value of earlier versions, so old values keep working.
struct CWindowPlacement
{
    static constexpr unsigned WPF_RESTORETOMAXIMIZED = 2;
    static constexpr unsigned SW_HIDE = 0;
    static constexpr unsigned SW_SHOWNORMAL = 1;
    static constexpr unsigned SW_SHOWMINIMIZED = 2;
    static constexpr unsigned SW_SHOWMAXIMIZED = 3;

    unsigned m_flags = 0;
    unsigned m_showCmd = SW_SHOWNORMAL;
    QPoint m_ptMinPosition{-1, -1};
    QPoint m_ptMaxPosition{-1, -1};
    QRect m_rcNormalPosition;

    // Empty, malformed or nonsensical text gives nothing.
    static std::optional<CWindowPlacement> Parse(const QString& text);
    QString Format() const;

    // The window's state as it should be stored: maximised sets the flag, a
    // minimised window is stored as one to show normally.
    static CWindowPlacement FromWindow(const QWidget& window);
    // Before the window is shown: its normal rectangle, kept on a screen,
    // and maximised when it was closed so.
    void ApplyTo(QWidget& window) const;
    bool IsMaximized() const;
};

bool LoadWindowPlacement(CWindowPlacement& placement);
void SaveWindowPlacement(const CWindowPlacement& placement);
