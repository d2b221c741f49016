#pragma once

#include <QLabel>

// A small frameless text window, like a tooltip that stays until the user
// clicks or presses a key. It deletes itself when it closes.
class CHelpPopup : public QLabel
{
    Q_OBJECT

public:
    // Shows text with its top-left corner at globalPos.
    static CHelpPopup* Popup(const QString& text, const QPoint& globalPos, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CHelpPopup(const QString& text, QWidget* parent);
};
