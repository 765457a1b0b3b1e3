#include "platform/qt/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// The folder itself when it exists, else the nearest parent that does; empty for an empty or
// relative path, which leaves the dialog its own choice.
QString NearestExistingFolder(const QString& path)
{
    if (!QDir::isAbsolutePath(path))
        return QString();
    QString folder = QDir::cleanPath(path);
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            return QString();
        folder = parent;
    }
    return folder;
}

// Both dialogs are Qt's own and start in the nearest existing folder on the way to
// startFolder: a missing folder given to the dialog would leave it elsewhere, in the folder
// it was last in or the working directory, with the missing folder's name in its name field.
void Prepare(QFileDialog& dialog, const QString& startFolder)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString folder = NearestExistingFolder(startFolder);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
}

}  // namespace

QString CQtFileChooser::ChooseOpenFile(QWidget* parent, const QString& startFolder, const QString& filter,
                                       const QString& initialName, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QString(), QString(), filter);
    Prepare(dialog, startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString CQtFileChooser::ChooseFolder(QWidget* parent, const QString& caption, const QString& startFolder)
{
    QFileDialog dialog(parent, caption);
    Prepare(dialog, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}
