#pragma once

#include <QString>

class QDialog;
class QPushButton;
class QVBoxLayout;

// The OK and Cancel buttons of a dialog: OK is the default button, Cancel
// never takes Enter; they run the dialog's accept() and reject(), and are
// named "ok" and "cancel" so that tests can press them.
struct COkCancelButtons
{
    QPushButton* m_pOk;
    QPushButton* m_pCancel;

    static COkCancelButtons Create(QDialog* dialog, const QString& okText = QStringLiteral("OK"),
                                   const QString& cancelText = QStringLiteral("Cancel"));
    // OK over Cancel at the top of a column, as at the right of a dialog.
    QVBoxLayout* Column() const;
};
