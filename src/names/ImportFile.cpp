#include "names/ImportFile.h"

#include "names/ImportFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QMessageBox>

QString ChooseImportFile(QWidget* parent, const QString& startFolder, const QString& offeredFile)
{
    const QString folder = startFolder.isEmpty() ? GetImportFolder() : startFolder;
    QFileDialog dialog(parent, QStringLiteral("Open"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("TXT Files (*.txt)"), QStringLiteral("All Files (*)")});
    if (!offeredFile.isEmpty() && QFileInfo::exists(QDir(folder).filePath(offeredFile)))
        dialog.selectFile(offeredFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    RememberImportFolder(path);
    return path;
}

bool ReadImportFile(QWidget* parent, const QString& path, QByteArray& text)
{
    QFile file(path);
    QByteArray data;
    if (file.open(QIODevice::ReadOnly)) {
        data = file.readAll();
        if (file.error() == QFileDevice::NoError) {
            text = std::move(data);
            return true;
        }
    }
    QMessageBox::warning(parent, QStringLiteral("Telvaro"),
                         QStringLiteral("Telvaro could not read \"%1\":\n%2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}
