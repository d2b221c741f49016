#pragma once

#include "model/DomainDoc.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"

#include <memory>

// A new empty list, its recent files and a shown main frame over them, as
// the program makes them at start-up.
struct CFrameUnderTest
{
    std::unique_ptr<CDomainDoc> m_pDoc;
    std::unique_ptr<CRecentFileList> m_pRecent;
    std::unique_ptr<CMainFrame> m_pFrame;

    void Start()
    {
        m_pDoc = std::make_unique<CDomainDoc>();
        m_pDoc->OnNewDocument();
        m_pRecent = std::make_unique<CRecentFileList>(4);
        Restart();
    }
    // A new frame over the same list: what the next run of the program
    // reads from the settings.
    void Restart()
    {
        m_pFrame.reset();
        m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), m_pRecent.get());
        m_pFrame->show();
    }
    void Stop()
    {
        m_pFrame.reset();
        m_pRecent.reset();
        m_pDoc.reset();
    }
};
