#include "widgets/ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>

QByteArray JoinLines(const QByteArrayList& names)
{
    qsizetype size = 0;
    for (const QByteArray& name : names)
        size += name.size() + 2;
    QByteArray text;
    text.reserve(size);
    for (const QByteArray& name : names)
        text.append(name).append("\r\n");
    return text;
}

void SetClipboardText(QByteArrayView text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromLatin1(text));
}
