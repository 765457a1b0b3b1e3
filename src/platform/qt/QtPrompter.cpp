#include "platform/qt/QtPrompter.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

int CQtPrompter::Show(QWidget* parent, const QString& text, ePromptButtons buttons, ePromptIcon icon)
{
    QMessageBox box(parent);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setTextFormat(Qt::PlainText);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    switch (icon) {
    case ePromptIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case ePromptIcon::Question: box.setIcon(QMessageBox::Question); break;
    case ePromptIcon::Information: box.setIcon(QMessageBox::Information); break;
    }

    // Each button is named here so the box reads in Japanese whatever Qt translations exist.
    struct Choice {
        QMessageBox::StandardButton button;
        const char* caption;
        int answer;
    };
    static constexpr Choice kOk{QMessageBox::Ok, "OK", IDOK};
    static constexpr Choice kYes{QMessageBox::Yes, "はい", IDYES};
    static constexpr Choice kNo{QMessageBox::No, "いいえ", IDNO};
    static constexpr Choice kCancel{QMessageBox::Cancel, "キャンセル", IDCANCEL};
    Choice choices[3] = {kOk, kOk, kOk};
    int count = 0;
    switch (buttons) {
    case ePromptButtons::Ok: choices[count++] = kOk; break;
    case ePromptButtons::YesNo: choices[count++] = kYes; choices[count++] = kNo; break;
    case ePromptButtons::YesNoCancel:
        choices[count++] = kYes; choices[count++] = kNo; choices[count++] = kCancel; break;
    }
    QMessageBox::StandardButtons set;
    for (int i = 0; i < count; ++i)
        set |= choices[i].button;
    box.setStandardButtons(set);
    for (int i = 0; i < count; ++i)
        box.button(choices[i].button)->setText(QString::fromUtf8(choices[i].caption));
    box.setDefaultButton(choices[0].button);

    const int pressed = box.exec();
    for (int i = 0; i < count; ++i)
        if (pressed == choices[i].button)
            return choices[i].answer;
    // Closed without a button (Escape or the close box): the box's escape answer.
    return buttons == ePromptButtons::YesNoCancel ? IDCANCEL
           : buttons == ePromptButtons::YesNo     ? IDNO
                                                  : IDOK;
}
