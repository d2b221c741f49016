#pragma once

#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "model/DomainDoc.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

#include <memory>

// The main window over a list of its own, as the program starts it, for
// tests that drive the list editing commands and the Domain Pad.
class CEditingFrame
{
public:
    CEditingFrame()
    {
        m_pDoc->OnNewDocument();
        m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), m_pRecent.get());
        m_pFrame->show();
    }
    ~CEditingFrame()
    {
        m_pFrame.reset();
        m_pDoc.reset();
    }

    CMainFrame& Frame() const { return *m_pFrame; }
    CDomainDoc& Doc() const { return *m_pDoc; }
    CCommandRegistry& Registry() const { return *m_pFrame->Registry(); }

    bool Enabled(CommandId id) const
    {
        Registry().UpdateCommandUI();
        QAction* action = Registry().Find(id);
        return action && action->isEnabled();
    }

    // Adds names (all valid) as Add Names would, with their status and mark
    // from parallel strings: status digits, 'x' for a mark.
    void Fill(std::initializer_list<const char*> names, const char* statuses = "", const char* marks = "")
    {
        int i = 0;
        for (const char* name : names) {
            QVERIFY2(m_pDoc->AddDomain(name), name);
            CDomainInfo& r = *m_pDoc->GetAt(m_pDoc->GetCount() - 1);
            if (i < int(qstrlen(statuses)))
                r.m_nStatus = uint8_t(statuses[i] - '0');
            if (i < int(qstrlen(marks)))
                r.m_bSelected = marks[i] == 'x' ? 1 : 0;
            ++i;
        }
        m_pDoc->NotifyListRebuilt();
        m_pDoc->SetModifiedFlag(false);
        // As when the user next opens a menu.
        Registry().UpdateCommandUI();
    }

    // Keys go to the window the user works in.
    bool Activate() const
    {
        m_pFrame->activateWindow();
        return QTest::qWaitForWindowActive(m_pFrame.get());
    }

    QByteArrayList Names() const
    {
        QByteArrayList names;
        for (const auto& r : m_pDoc->Records())
            names << r->m_strName;
        return names;
    }

    QString Marks() const
    {
        QString marks;
        for (const auto& r : m_pDoc->Records())
            marks += r->m_bSelected ? QLatin1Char('x') : QLatin1Char('.');
        return marks;
    }

private:
    std::unique_ptr<CDomainDoc> m_pDoc = std::make_unique<CDomainDoc>();
    std::unique_ptr<CRecentFileList> m_pRecent = std::make_unique<CRecentFileList>(4);
    std::unique_ptr<CMainFrame> m_pFrame;
};

// Saves a picture of window into $TELVARO_TEST_SHOTS, when it is set, for
// a person to look at.
inline void SaveShot(QWidget* window, const char* name)
{
    const QString folder = qEnvironmentVariable("TELVARO_TEST_SHOTS");
    if (folder.isEmpty() || !window)
        return;
    QDir().mkpath(folder);
    window->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}
