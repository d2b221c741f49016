#include "names/HelpPopup.h"

#include <QScreen>
#include <QToolTip>

CHelpPopup::CHelpPopup(const QString& text, QWidget* parent)
    : QLabel(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setTextFormat(Qt::PlainText);
    setText(text);
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(8);
    setAccessibleName(QStringLiteral("Help"));
}

CHelpPopup* CHelpPopup::Popup(const QString& text, const QPoint& globalPos, QWidget* parent)
{
    auto* popup = new CHelpPopup(text, parent);
    popup->adjustSize();
    // Near a screen edge, slide it back so that all of the text shows.
    QPoint pos = globalPos;
    if (const QScreen* screen = parent ? parent->screen() : nullptr) {
        const QRect area = screen->availableGeometry();
        pos.setX(qMax(area.left(), qMin(pos.x(), area.right() + 1 - popup->width())));
        pos.setY(qMax(area.top(), qMin(pos.y(), area.bottom() + 1 - popup->height())));
    }
    popup->move(pos);
    popup->show();
    return popup;
}

void CHelpPopup::mousePressEvent(QMouseEvent* event)
{
    // Clicks outside already close a popup; a click on the text should too.
    QLabel::mousePressEvent(event);
    close();
}

void CHelpPopup::keyPressEvent(QKeyEvent* event)
{
    QLabel::keyPressEvent(event);
    close();
}
