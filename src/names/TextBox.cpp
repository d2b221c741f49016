#include "names/TextBox.h"

#include <QPlainTextEdit>

QPlainTextEdit* CreateTextBox(QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setTabChangesFocus(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return box;
}

QByteArray GetBoxText(const QPlainTextEdit* box)
{
    // The box keeps lines as blocks and gives them back joined by LF alone.
    QByteArray text = box->toPlainText().toLatin1();
    text.replace("\n", "\r\n");
    return text;
}

void SetBoxText(QPlainTextEdit* box, QByteArrayView text)
{
    box->setPlainText(QString::fromLatin1(text));
}
