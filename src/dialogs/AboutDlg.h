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

    // The five lines as shown, statics 1050 to 1054.
    const QString& ProductNameLine() const { return m_strProductName; }
    const QString& ProductVersionLine() const { return m_strProductVersion; }
    const QString& FileVersionLine() const { return m_strFileVersion; }
    const QString& LegalCopyrightLine() const { return m_strLegalCopyright; }
    const QString& CompanyNameLine() const { return m_strCompanyName; }

private:
    static VersionInfoStrings RunningVersion();
    void CreateControls();

    QString m_strProductName;
    QString m_strProductVersion;
    QString m_strFileVersion;
    QString m_strLegalCopyright;
    QString m_strCompanyName;
};
