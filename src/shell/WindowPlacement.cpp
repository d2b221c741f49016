#include "shell/WindowPlacement.h"

#include "base/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <array>

namespace {

constexpr int kFieldCount = 10;

// A rectangle from another screen layout is moved back onto the nearest
// screen that exists now, and shrunk to fit it.
QRect KeepOnScreen(QRect rect)
{
    QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return rect;
    const QRect avail = screen->availableGeometry();
    rect.setWidth(std::min(rect.width(), avail.width()));
    rect.setHeight(std::min(rect.height(), avail.height()));
    if (!avail.contains(rect)) {
        rect.moveLeft(std::clamp(rect.left(), avail.left(), avail.right() - rect.width() + 1));
        rect.moveTop(std::clamp(rect.top(), avail.top(), avail.bottom() - rect.height() + 1));
    }
    return rect;
}

}

std::optional<CWindowPlacement> CWindowPlacement::Parse(const QString& text)
{
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != kFieldCount)
        return std::nullopt;
    std::array<int, kFieldCount> n{};
    for (int i = 0; i < kFieldCount; ++i) {
        bool ok = false;
        n[size_t(i)] = fields[i].trimmed().toInt(&ok);
        if (!ok || (i < 2 && n[size_t(i)] < 0))
            return std::nullopt;
    }
    CWindowPlacement p;
    p.m_flags = unsigned(n[0]);
    p.m_showCmd = unsigned(n[1]);
    p.m_ptMinPosition = QPoint(n[2], n[3]);
    p.m_ptMaxPosition = QPoint(n[4], n[5]);
    // right and bottom lie just outside the rectangle.
    p.m_rcNormalPosition = QRect(QPoint(n[6], n[7]), QPoint(n[8] - 1, n[9] - 1));
    if (p.m_rcNormalPosition.width() <= 0 || p.m_rcNormalPosition.height() <= 0)
        return std::nullopt;
    return p;
}

QString CWindowPlacement::Format() const
{
    const QRect& r = m_rcNormalPosition;
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
        .arg(m_flags)
        .arg(m_showCmd)
        .arg(m_ptMinPosition.x())
        .arg(m_ptMinPosition.y())
        .arg(m_ptMaxPosition.x())
        .arg(m_ptMaxPosition.y())
        .arg(r.left())
        .arg(r.top())
        .arg(r.left() + r.width())
        .arg(r.top() + r.height());
}

CWindowPlacement CWindowPlacement::FromWindow(const QWidget& window)
{
    CWindowPlacement p;
    // A window minimised from maximised reopens normal, like any minimised one.
    const bool minimized = window.isMinimized();
    const bool maximized = window.isMaximized() && !minimized;
    p.m_flags = maximized ? WPF_RESTORETOMAXIMIZED : 0;
    p.m_showCmd = maximized ? SW_SHOWMAXIMIZED : minimized ? SW_HIDE : SW_SHOWNORMAL;
    p.m_rcNormalPosition = maximized || minimized ? window.normalGeometry() : window.geometry();
    if (!p.m_rcNormalPosition.isValid())
        p.m_rcNormalPosition = window.geometry();
    return p;
}

bool CWindowPlacement::IsMaximized() const
{
    return (m_flags & WPF_RESTORETOMAXIMIZED) != 0 || m_showCmd == SW_SHOWMAXIMIZED;
}

void CWindowPlacement::ApplyTo(QWidget& window) const
{
    window.setGeometry(KeepOnScreen(m_rcNormalPosition));
    if (IsMaximized())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

bool LoadWindowPlacement(CWindowPlacement& placement)
{
    const std::optional<CWindowPlacement> stored = CWindowPlacement::Parse(Settings::WindowPos.Get());
    if (!stored)
        return false;
    placement = *stored;
    return true;
}

void SaveWindowPlacement(const CWindowPlacement& placement)
{
    Settings::WindowPos.Set(placement.Format());
}
