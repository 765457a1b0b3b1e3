#include "platform/qt/FileChooser.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

#include "platform/qt/ScreenArea.h"

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

// Qt's detail view opens with columns sized for short English words: Japanese dates and
// longer types are cut short ("2026/1… 13:32") while the right of the list stays empty. Each
// time rows arrive from Qt's file-information thread or change, another folder is shown, or
// the list changes size, this fits the columns to what they show and gives the name column
// the rest of the list's width. Where the list is too narrow for them all, the dialog grows as
// far as the screen allows, moving left where it would reach past the screen's right edge;
// past that, names are shortened in the middle, as Qt does.
class CColumnFit : public QObject {
public:
    explicit CColumnFit(QTreeView& view)
        : QObject(&view),
          m_view(view)
    {
        QAbstractItemModel* model = view.model();
        connect(model, &QAbstractItemModel::rowsInserted, this, &CColumnFit::Fit);
        connect(model, &QAbstractItemModel::dataChanged, this, &CColumnFit::Fit);
        // Told before the view turns to the new folder: fitted once it has.
        if (auto* files = qobject_cast<QFileSystemModel*>(model))
            connect(files, &QFileSystemModel::rootPathChanged, this, &CColumnFit::Fit, Qt::QueuedConnection);
        view.viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            Fit();
        return false;
    }

private:
    void Fit()
    {
        QHeaderView& header = *m_view.header();
        for (int column = 0; column < header.count(); ++column)
            m_view.resizeColumnToContents(column);
        QWidget& dialog = *m_view.window();
        const int needed = dialog.width() + header.length() - m_view.viewport()->width();
        if (m_view.isVisible() && needed > dialog.width())
            ResizeWithinAvailableArea(dialog, QSize(needed, dialog.height()));
        const int others = header.length() - header.sectionSize(0);
        header.resizeSection(0, std::max(m_view.viewport()->width() - others, header.sectionSizeHint(0)));
    }

    QTreeView& m_view;
};

// Both dialogs are Qt's own and start in the nearest existing folder on the way to
// startFolder: a missing folder given to the dialog would leave it elsewhere, in the folder
// it was last in or the working directory, with the missing folder's name in its name field.
void Prepare(QFileDialog& dialog, const QString& startFolder)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    new CColumnFit(*dialog.findChild<QTreeView*>("treeView"));
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
    // Qt's Japanese texts say ディレクトリ here, under rows that say フォルダ.
    dialog.setLabelText(QFileDialog::FileName, QString::fromUtf8("フォルダ:"));
    if (auto* types = dialog.findChild<QComboBox*>("fileTypeCombo"); types && types->count() == 1)
        types->setItemText(0, QString::fromUtf8("フォルダ"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}
