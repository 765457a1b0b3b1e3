#pragma once
// Message boxes as the windows use them: an error box, questions and information, reached
// through an interface so tests can script the answers and read the texts. The answers
// carry the values of the Windows message-box results, so callers keep their logic.

#include <QString>

class QWidget;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

enum class ePromptButtons { Ok, YesNo, YesNoCancel };
enum class ePromptIcon { Exclamation, Question, Information };

class IPrompter {
public:
    virtual ~IPrompter() = default;
    // Shows text (line breaks written as "\r\n") with the buttons and icon, modal to parent,
    // and returns the button pressed: IDOK, IDYES, IDNO or IDCANCEL.
    virtual int Show(QWidget* parent, const QString& text, ePromptButtons buttons,
                     ePromptIcon icon) = 0;
};

// The error box: the exclamation icon and an OK button.
inline int ShowErrorBox(IPrompter& prompter, QWidget* parent, const QString& text)
{
    return prompter.Show(parent, text, ePromptButtons::Ok, ePromptIcon::Exclamation);
}
