#pragma once
// Helpers of the dialogs' tests: a folder chooser with a scripted answer, and typing into a
// dialog's controls by id.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "platform/qt/FileChooser.h"

class FakeFileChooser : public IFileChooser {
public:
    QString folderAnswer;      // returned by ChooseFolder ("" = cancelled)
    QStringList folderCalls;   // "caption|start folder" per call

    QString ChooseOpenFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString ChooseFolder(QWidget*, const QString& caption, const QString& startFolder) override
    {
        folderCalls << caption + QLatin1Char('|') + startFolder;
        return folderAnswer;
    }
};

inline void Flush()
{
    QCoreApplication::processEvents();
}
