#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>

class CCommandRegistry;
class CDomainDoc;
class CDomainPadBar;
class CDomainPadList;
class CDomainView;
class CFileCommands;
class CHelpWindow;
class CLookupScheduler;
class CMenuBarBuilder;
class CRecentFileList;
class CStatusProgress;
class CToolBarBuilder;
class CTrayCommands;
class QLabel;
class QToolBar;

// The one top-level window: menu bar, toolbar, a one-pane status bar and the
// domain view. It owns the command registry that all of them share, keeps
// its placement and bar layout between runs, and guards the document on
// close.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // The settings section of the toolbar layout.
    static constexpr char kBarProfile[] = "QZN";
    static constexpr char kIdleText[] = "Press F1 for Help";

    // doc and recentFiles must outlive the frame.
    CMainFrame(CDomainDoc* doc, CRecentFileList* recentFiles, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CCommandRegistry* Registry() const { return m_pRegistry; }
    CDomainView* GetView() const { return m_pView; }
    CDomainPadBar* GetDomainPad() const { return m_pPad; }
    CDomainPadList* GetDomainPadList() const { return m_pPadList.get(); }
    CLookupScheduler* GetScheduler() const;
    CFileCommands* FileCommands() const { return m_pFileCommands; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    CStatusProgress* StatusProgress() const { return m_pProgress; }
    CTrayCommands* TrayCommands() const { return m_pTrayCommands; }
    // Null until help was first asked for.
    CHelpWindow* HelpWindow() const;

    // Every help request ends here: page among the help pages, or the
    // default topic.
    void WinHelp(const QString& page = {});
    void OnAppAbout();
    // "<document title> - Telvaro", with "*" after the title while the list
    // has unsaved changes.
    void UpdateTitle();
    // Rebuilds menus and toolbar now rather than when the event loop runs.
    void RebuildBars();

    void SaveBarState() const;
    void LoadBarState();

Q_SIGNALS:
    // The window closed for good (the user did not cancel): the program ends.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateStatusBar();
    void CreateToolBar();
    void RegisterCommands();
    void OnDocumentReplaced();
    void CreateDomainPad();

    CDomainDoc* m_pDoc;
    CCommandRegistry* m_pRegistry;
    CFileCommands* m_pFileCommands;
    CDomainView* m_pView = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pIdleText = nullptr;
    CStatusProgress* m_pProgress = nullptr;
    CMenuBarBuilder* m_pMenuBuilder = nullptr;
    CToolBarBuilder* m_pToolBarBuilder = nullptr;
    CTrayCommands* m_pTrayCommands = nullptr;
    QPointer<CHelpWindow> m_pHelp;
    // The pad's names live as long as the frame; its bar shows them.
    std::unique_ptr<CDomainPadList> m_pPadList;
    CDomainPadBar* m_pPad = nullptr;
};
