#pragma once
// Qt's own texts (file dialogs, standard buttons, context menus, the calendar of a date
// picker) in Japanese, like every other text of the program, whatever language the
// desktop runs in.

class QCoreApplication;

// Makes Japanese the default locale of Qt's widgets (month and day names) and installs
// Qt's Japanese translations on the application, with the few words they lack. Returns 1
// when the translations were found and installed, 0 when they are missing (Qt's texts then
// stay English).
int InstallJapaneseQtTexts(QCoreApplication& app);
