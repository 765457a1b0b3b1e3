#include "platform/qt/FileChooser.h"

#include <QFileDialog>

QString CQtFileChooser::ChooseOpenFile(QWidget* parent, const QString& startFolder,
                                       const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QString(), startFolder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString CQtFileChooser::ChooseFolder(QWidget* parent, const QString& caption, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, caption, startFolder,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}
