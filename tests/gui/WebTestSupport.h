#pragma once

#include "commands/CommandRegistry.h"
#include "model/DomainDoc.h"
#include "model/TLDTable.h"
#include "shell/WebCommands.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "widgets/OpenInBrowser.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

// A view over a list, with the web commands joined to its registry as the
// frame joins them, and a browser that only notes what it is asked to open
// (or does what a test tells it to).
struct CWebTestState
{
    CWebTestState()
    {
        QSettings().clear();
        BuildDefaultTLDTable();
        // Form pages go to a runtime folder of the test's own.
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        m_doc.OnNewDocument();
        m_pRegistry = new CCommandRegistry(&m_window);
        m_pView = new CDomainView(&m_doc, m_pRegistry, &m_window);
        m_pCommands = new CWebCommands(m_pView, &m_window, [this](const QString& page) { m_helpPages << page; });
        m_pCommands->Register(*m_pRegistry);
        SetBrowserOpenerForTests([this](const QUrl& url) {
            m_opened << url;
            return m_browser ? m_browser(url) : true;
        });
    }
    ~CWebTestState() { SetBrowserOpenerForTests({}); }

    // Adds name with status and highlights it.
    CDomainInfo* Highlight(const char* name, uint8_t status = STATUS_UNKNOWN)
    {
        if (!m_doc.FindDomain(name) && !m_doc.AddDomain(name))
            return nullptr;
        m_doc.NotifyListRebuilt();
        CDomainInfo* record = m_doc.FindDomain(name);
        record->m_nStatus = status;
        m_pView->GetListCtrl()->HighlightItem(m_doc.IndexOf(record));
        return record;
    }

    bool Enabled(CommandId id)
    {
        m_pRegistry->UpdateCommandUI();
        return m_pRegistry->Find(id) && m_pRegistry->Find(id)->isEnabled();
    }

    QTemporaryDir m_runtime;
    // The document outlives the window and the view in it.
    CDomainDoc m_doc;
    QWidget m_window;
    CCommandRegistry* m_pRegistry;
    CDomainView* m_pView;
    CWebCommands* m_pCommands;
    QList<QUrl> m_opened;
    QStringList m_helpPages;
    // Stands in for the browser when set; otherwise every URL "opens".
    std::function<bool(const QUrl&)> m_browser;
};
