#pragma once

#include <QAbstractButton>
#include <QPointer>

class QAction;

// One of the view's picture buttons ("Customer Support", "Register
// Domain"): a raised plate with its caption that sinks while pressed. It
// runs its command and follows the command's enabled state; while nothing
// handles the command it stays disabled, its tooltip still naming it.
class CPictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int kWidth = 82;
    static constexpr int kHeight = 36;

    CPictureButton(const QString& caption, QWidget* parent = nullptr);

    // Follows action: enabled state and tooltip (the caption when the
    // action has none); a click triggers it.
    void SetAction(QAction* action);
    QAction* GetAction() const { return m_pAction; }

    QSize sizeHint() const override { return QSize(kWidth, kHeight); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void SyncWithAction();

    QPointer<QAction> m_pAction;
};
