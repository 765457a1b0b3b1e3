#pragma once
// The message boxes on Qt: caption = the application name (the executable's base name),
// Japanese button texts, the first button as default.

#include "platform/qt/Prompter.h"

class CQtPrompter : public IPrompter {
public:
    int Show(QWidget* parent, const QString& text, ePromptButtons buttons, ePromptIcon icon) override;
};
