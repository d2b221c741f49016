#pragma once

#include "model/DomainDoc.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWindow>

#include <deque>

// Answers the message boxes that a command opens, in order, with the given
// buttons, and records their texts. A box beyond the script is cancelled
// (and recorded), and other modal dialogs are closed, so a wrong turn fails
// the test instead of hanging it.
class CMessageBoxAnswerer : public QObject
{
public:
    explicit CMessageBoxAnswerer(std::initializer_list<QMessageBox::StandardButton> answers = {})
        : m_answers(answers)
    {
        connect(&m_timer, &QTimer::timeout, this, &CMessageBoxAnswerer::Poll);
        m_timer.start(5);
    }

    QStringList m_texts;
    QStringList m_dialogTitles;
    int m_nUnscripted = 0;

private:
    void Poll()
    {
        QWidget* top = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(top)) {
            m_texts << box->text();
            QAbstractButton* button = nullptr;
            if (!m_answers.empty()) {
                button = box->button(m_answers.front());
                m_answers.pop_front();
            } else {
                ++m_nUnscripted;
            }
            if (button)
                button->click();
            else
                box->reject();
        } else if (auto* dialog = qobject_cast<QDialog*>(top)) {
            m_dialogTitles << dialog->windowTitle();
            dialog->reject();
        }
    }

    std::deque<QMessageBox::StandardButton> m_answers;
    QTimer m_timer;
};

// The title as the desktop shows it, with Qt's "[*]" mark resolved.
inline QString ShownTitle(const QWidget& window)
{
    return window.windowHandle() ? window.windowHandle()->title() : QString();
}

// Writes a list file with the given names (all must be valid).
inline bool WriteListFile(const QString& path, std::initializer_list<const char*> names)
{
    CDomainDoc doc;
    doc.OnNewDocument();
    for (const char* name : names) {
        if (!doc.AddDomain(name))
            return false;
    }
    return doc.OnSaveDocument(path).IsOk();
}
