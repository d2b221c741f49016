#include "shell/FileCommands.h"

#include "base/UserMessage.h"
#include "model/DomainDoc.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "shell/RecentFileList.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

const QString kFilter = QStringLiteral("QZN Files (*.qzn)");
const QString kAllFiles = QStringLiteral("All Files (*)");

QString AskOpenPath(QWidget* parent, const QString& folder)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), folder, kFilter + QStringLiteral(";;") + kAllFiles);
}

QString AskSavePath(QWidget* parent, const QString& suggestedPath)
{
    QFileDialog dialog(parent, QStringLiteral("Save As"), suggestedPath, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("qzn"));
    dialog.selectFile(suggestedPath);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                     : QString();
}

}

CFileCommands::CFileCommands(CDomainDoc* doc, CRecentFileList* recentFiles, QWidget* window)
    : QObject(window), m_pDoc(doc), m_pRecentFiles(recentFiles), m_pWindow(window), m_prompts{AskOpenPath, AskSavePath}
{
}

void CFileCommands::RegisterCommands(CCommandRegistry* registry)
{
    registry->Register(ID_FILE_NEW, [this] { OnFileNew(); });
    registry->Register(ID_FILE_OPEN, [this] { OnFileOpen(); });
    registry->Register(ID_FILE_SAVE, [this] { OnFileSave(); });
    registry->Register(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
}

bool CFileCommands::SaveModified()
{
    if (!m_pDoc->IsModified())
        return true;
    const QString name = m_pDoc->GetPathName().isEmpty() ? m_pDoc->GetTitle() : m_pDoc->GetPathName();
    const auto answer = QMessageBox::warning(m_pWindow, QStringLiteral("Telvaro"),
                                             QStringLiteral("Save changes to %1?").arg(name),
                                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return DoSave(m_pDoc->GetPathName());
    return answer == QMessageBox::No;
}

bool CFileCommands::OnFileNew()
{
    if (!SaveModified())
        return false;
    Q_EMIT AboutToReplaceDocument();
    m_pDoc->OnNewDocument();
    Q_EMIT NewDocumentMade();
    Q_EMIT DocumentReplaced();
    Q_EMIT PathChanged();
    return true;
}

bool CFileCommands::OnFileOpen()
{
    const QString path = m_prompts.m_askOpenPath(m_pWindow, DialogFolder());
    return !path.isEmpty() && OpenDocumentFile(path);
}

bool CFileCommands::OpenDocumentFile(const QString& path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // The list that is open already stays as it is.
    if (absolute == m_pDoc->GetPathName() && !m_pDoc->IsPartiallyLoaded()) {
        m_pRecentFiles->Add(absolute);
        return true;
    }
    if (!SaveModified())
        return false;
    Q_EMIT AboutToReplaceDocument();
    if (!ReportResult(m_pDoc->OnOpenDocument(absolute))) {
        m_pRecentFiles->Remove(absolute);
        return false;
    }
    m_pRecentFiles->Add(absolute);
    Q_EMIT DocumentReplaced();
    Q_EMIT PathChanged();
    return true;
}

bool CFileCommands::OnFileSave()
{
    return DoSave(m_pDoc->GetPathName());
}

bool CFileCommands::OnFileSaveAs()
{
    return DoSave({});
}

bool CFileCommands::SaveIsSafeAt(const QString& path) const
{
    // Writing a partly loaded list over its damaged file would drop the
    // names after the damage for good.
    return !path.isEmpty() && !(m_pDoc->IsPartiallyLoaded() && path == m_pDoc->GetPathName());
}

bool CFileCommands::DoSave(QString path)
{
    if (!SaveIsSafeAt(path)) {
        path = m_prompts.m_askSavePath(m_pWindow, SuggestedSavePath());
        if (path.isEmpty())
            return false;
        path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    }
    if (!ReportResult(m_pDoc->OnSaveDocument(path)))
        return false;
    m_pRecentFiles->Add(path);
    Q_EMIT PathChanged();
    return true;
}

QString CFileCommands::SuggestedSavePath() const
{
    const QString current = m_pDoc->GetPathName();
    if (current.isEmpty())
        return QDir(DialogFolder()).filePath(QStringLiteral("Untitled.qzn"));
    if (!m_pDoc->IsPartiallyLoaded())
        return current;
    const QFileInfo info(current);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(" (recovered).qzn"));
}

QString CFileCommands::DialogFolder() const
{
    if (!m_pDoc->GetPathName().isEmpty())
        return QFileInfo(m_pDoc->GetPathName()).absolutePath();
    if (m_pRecentFiles->GetSize() > 0)
        return QFileInfo(m_pRecentFiles->GetAt(0)).absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

QList<QAction*> CFileCommands::MakeRecentFileActions(QObject* parent)
{
    QList<QAction*> actions;
    if (m_pRecentFiles->GetSize() == 0) {
        auto* placeholder = new QAction(QStringLiteral("Recent File"), parent);
        placeholder->setEnabled(false);
        actions.append(placeholder);
        return actions;
    }
    for (int i = 0; i < m_pRecentFiles->GetSize(); ++i) {
        const QString path = m_pRecentFiles->GetAt(i);
        auto* action = new QAction(m_pRecentFiles->MenuText(i), parent);
        action->setData(ID_FILE_MRU_FILE1.Offset(i).m_nValue);
        action->setStatusTip(CommandPrompt(ID_FILE_MRU_FILE1) + QStringLiteral(": ") + path);
        // Queued: opening rebuilds the menu that holds this action.
        connect(action, &QAction::triggered, this, [this, path] { OpenDocumentFile(path); }, Qt::QueuedConnection);
        actions.append(action);
    }
    return actions;
}
