#pragma once
// File and folder choosers, reached through an interface so tests can script the choice.

#include <QString>

class QWidget;

class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // An open-file dialog starting in startFolder (when it exists) with a name filter such
    // as "EDFファイル(*.edf)" and initialName, such as "*.edf", in its file-name field; the
    // chosen path, or an empty string when cancelled.
    virtual QString ChooseOpenFile(QWidget* parent, const QString& startFolder, const QString& filter,
                                   const QString& initialName, const QString& defaultSuffix) = 0;
    // A folder dialog; the chosen folder, or an empty string when cancelled.
    virtual QString ChooseFolder(QWidget* parent, const QString& caption, const QString& startFolder) = 0;
};

// Qt's own file dialogs (not the desktop's), so filters behave the same everywhere
// ("*.edf" also lists "A.EDF").
class CQtFileChooser : public IFileChooser {
public:
    QString ChooseOpenFile(QWidget* parent, const QString& startFolder, const QString& filter,
                           const QString& initialName, const QString& defaultSuffix) override;
    QString ChooseFolder(QWidget* parent, const QString& caption, const QString& startFolder) override;
};
