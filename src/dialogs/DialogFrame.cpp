#include "dialogs/DialogFrame.h"

#include <QDialog>
#include <QFont>

#include "platform/qt/DialogUnits.h"

void SetUpDialogFrame(QDialog& dialog, const QString& caption, const char* fontFace, int fontPoints,
                      int widthDlu, int heightDlu)
{
    dialog.setWindowTitle(caption);
    dialog.setFont(QFont(QString::fromUtf8(fontFace), fontPoints));
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog.setFixedSize(DluSizeToPixels(widthDlu, heightDlu));
}

void NameAndPlace(QWidget* control, int id, int x, int y, int width, int height)
{
    control->setObjectName(QString::number(id));
    PlaceControlInDlu(control, x, y, width, height);
}

QWidget* FindDlgItem(const QWidget& dialog, int id)
{
    return dialog.findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}
