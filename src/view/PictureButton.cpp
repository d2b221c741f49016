#include "view/PictureButton.h"

#include "view/ViewFonts.h"

#include <QAction>
#include <QLinearGradient>
#include <QPainter>

CPictureButton::CPictureButton(const QString& caption, QWidget* parent) : QAbstractButton(parent)
{
    setText(caption);
    setAccessibleName(QString(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    setFocusPolicy(Qt::TabFocus);
    setFont(ArialFont(12, QFont::Bold));
    SyncWithAction();
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_pAction && m_pAction->isEnabled())
            m_pAction->trigger();
    });
}

void CPictureButton::SetAction(QAction* action)
{
    if (m_pAction)
        disconnect(m_pAction, nullptr, this, nullptr);
    m_pAction = action;
    if (action)
        connect(action, &QAction::changed, this, &CPictureButton::SyncWithAction);
    SyncWithAction();
}

void CPictureButton::SyncWithAction()
{
    setEnabled(m_pAction && m_pAction->isEnabled());
    // Named even while nothing handles it, so pointing at it says what it is.
    const QString tip = m_pAction ? m_pAction->toolTip() : QString();
    setToolTip(tip.isEmpty() ? accessibleName() : tip);
    setStatusTip(m_pAction ? m_pAction->statusTip() : QString());
}

void CPictureButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool down = isDown();
    const QRectF plate = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
    const QColor top = isEnabled() ? QColor(86, 140, 214) : QColor(190, 190, 190);
    const QColor bottom = isEnabled() ? QColor(28, 78, 156) : QColor(150, 150, 150);
    fill.setColorAt(0, down ? bottom : top);
    fill.setColorAt(1, down ? top : bottom);
    p.setPen(QPen(isEnabled() ? QColor(16, 48, 100) : QColor(120, 120, 120), 1));
    p.setBrush(fill);
    p.drawRoundedRect(plate, 5, 5);
    if (hasFocus()) {
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(plate.adjusted(3, 3, -3, -3), 3, 3);
    }
    p.setPen(isEnabled() ? Qt::white : QColor(235, 235, 235));
    const QRect textRect = rect().translated(down ? 1 : 0, down ? 1 : 0);
    p.drawText(textRect, Qt::AlignCenter, text());
}
