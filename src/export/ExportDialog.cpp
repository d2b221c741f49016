#include "export/ExportDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString DefaultFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

bool IsPattern(const QString& fileName)
{
    return fileName.contains(QLatin1Char('*')) || fileName.contains(QLatin1Char('?'));
}

}

QString AskExportPath(QWidget* parent, const CExportDialog& kind, const QString& initial)
{
    QFileDialog dialog(parent, QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(QString::fromLatin1(kind.m_pszFilters).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(QString::fromLatin1(kind.m_pszDefaultSuffix));
    const QFileInfo remembered(initial);
    // "*.HTM" chose the file type of the old dialogs; here the filters do,
    // and a pattern matched case by case would hide the user's files.
    if (initial.isEmpty() || !remembered.absoluteDir().exists()) {
        dialog.setDirectory(DefaultFolder());
    } else if (IsPattern(remembered.fileName())) {
        dialog.setDirectory(remembered.absolutePath());
    } else {
        dialog.setDirectory(remembered.absolutePath());
        dialog.selectFile(remembered.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString RememberedFolderText(const QString& path, const char* extension)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return path.left(slash + 1) + QStringLiteral("*.") + QLatin1String(extension);
}
