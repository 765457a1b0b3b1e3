#include "platform/qt/FileChooser.h"

#include <QFileDialog>
#include <QFileInfo>

QString CQtFileChooser::ChooseOpenFile(QWidget* parent, const QString& startFolder, const QString& filter,
                                       const QString& initialName, const QString& defaultSuffix)
{
    // The folder is set only when it exists: given to the constructor, a missing folder's
    // name would show up in the file-name field. Without it the dialog chooses its own.
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (QFileInfo(startFolder).isDir())
        dialog.setDirectory(startFolder);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString CQtFileChooser::ChooseFolder(QWidget* parent, const QString& caption, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, caption, startFolder,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}
