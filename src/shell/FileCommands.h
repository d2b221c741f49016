#pragma once

#include <QObject>
#include <QString>

#include <functional>

class CCommandRegistry;
class CDomainDoc;
class CRecentFileList;
class QAction;
class QWidget;

// New, Open, Save, Save As and the recent files of the one document, and the
// save prompt that guards every way of leaving a modified list.
class CFileCommands : public QObject
{
    Q_OBJECT

public:
    // The file dialogs, replaceable so that tests can answer them. An empty
    // result means the user cancelled.
    struct Prompts
    {
        std::function<QString(QWidget* parent, const QString& folder)> m_askOpenPath;
        std::function<QString(QWidget* parent, const QString& suggestedPath)> m_askSavePath;
    };

    CFileCommands(CDomainDoc* doc, CRecentFileList* recentFiles, QWidget* window);

    void RegisterCommands(CCommandRegistry* registry);
    void SetPrompts(Prompts prompts) { m_prompts = std::move(prompts); }

    // Asks "Save changes to ...?" for a modified document: true when the
    // caller may go on (saved, or discarded with No), false on Cancel or
    // when the save failed.
    bool SaveModified();

    bool OnFileNew();
    bool OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // Opens path in place of the current document (after the save prompt).
    // On failure the current document stays and the path leaves the
    // recent-file list.
    bool OpenDocumentFile(const QString& path);

    // The actions of the recent-file entries, or a disabled "Recent File".
    QList<QAction*> MakeRecentFileActions(QObject* parent);

Q_SIGNALS:
    // Before the list is replaced: running lookups belong to the old one.
    void AboutToReplaceDocument();
    // After New, before DocumentReplaced: settings a new document reads.
    void NewDocumentMade();
    // After New or Open: views rebuild from the document.
    void DocumentReplaced();
    // The document's name may have changed (opened, saved under a name).
    void PathChanged();

private:
    bool DoSave(QString path);
    bool SaveIsSafeAt(const QString& path) const;
    QString SuggestedSavePath() const;
    QString DialogFolder() const;

    CDomainDoc* m_pDoc;
    CRecentFileList* m_pRecentFiles;
    QWidget* m_pWindow;
    Prompts m_prompts;
};
