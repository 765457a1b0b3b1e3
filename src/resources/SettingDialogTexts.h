#pragma once
// The texts of the saved-file settings dialog's checks (UTF-8), exactly as the user sees
// them; "\r\n" breaks a line. The questions about a missing file type and an existing file
// are the main window's (MainWindowTexts.h), which asks the same before a measurement.

// What an unchanged name edit shows, and the extension a name must end in.
inline constexpr const char* kTextEdfPlaceholder = "*.edf";
inline constexpr const char* kTextCsvPlaceholder = "*.csv";
inline constexpr const char* kTextEdfNameEnding = ".edf";
inline constexpr const char* kTextCsvNameEnding = ".csv";

inline constexpr const char* kTextEdfNameMissing = "EDFファイル名が入力されていません。";
inline constexpr const char* kTextCsvNameMissing = "CSVファイル名が入力されていません。";
inline constexpr const char* kTextEdfBadExtension =
    "EDFファイルの拡張子が不適切です。\r\nEDFファイルの拡張子は「.edf」です。";
inline constexpr const char* kTextCsvBadExtension =
    "CSVファイルの拡張子が不適切です。\r\nCSVファイルの拡張子は「.csv」です。";
inline constexpr const char* kTextEdfBadCharacters =
    "EDFファイル名に不適切な文字が含まれています。\r\n"
    "ファイル名に以下の文字は使えません。\r\n"
    "    \\ / : * ? \" < > |";
inline constexpr const char* kTextCsvBadCharacters =
    "CSVファイル名に不適切な文字が含まれています。\r\n"
    "ファイル名に以下の文字は使えません。\r\n"
    "    \\ / : * ? \" < > |";
inline constexpr const char* kTextEdfNameTooLong =
    "EDFファイル名が長すぎます。\r\n保存先フォルダに作成できるファイル名の長さを超えています。";
inline constexpr const char* kTextCsvNameTooLong =
    "CSVファイル名が長すぎます。\r\n保存先フォルダに作成できるファイル名の長さを超えています。";
// The characters a file name may not hold, in the order the message lists them.
inline constexpr const char* kForbiddenNameCharacters = "\\/:*?\"<>|";

// Title of the folder chooser.
inline constexpr const char* kTextChooseFolder = "フォルダの選択";
