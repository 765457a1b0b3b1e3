#pragma once
// The About box: product name, product version, file version, legal notice and company
// name of the program, with its icon and an OK button. OK, Escape and the close box end it.

#include <QDialog>
#include <QString>

#include "app/VersionInfo.h"

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // The texts of the running program.
    explicit CAboutDlg(QWidget* parent = nullptr);
    // The texts of the given record (tests).
    explicit CAboutDlg(const VersionInfoStrings& version, QWidget* parent = nullptr);

private:
    static VersionInfoStrings RunningVersion();
    void CreateControls();

    QString m_strProductName;
    QString m_strProductVersion;
    QString m_strFileVersion;
    QString m_strLegalCopyright;
    QString m_strCompanyName;
};
