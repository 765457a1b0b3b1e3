#pragma once
// The texts of the main window (UTF-8), exactly as the user sees them. "\r\n" breaks a line
// inside a message box; formats take their arguments in the order of the comments.

// Graphs.
inline constexpr const char* kTextEegTitle = "脳波データ";
inline constexpr const char* kTextEmgTitle = "筋電データ";
inline constexpr const char* kTextMicrovoltLabel = "[uV]";

// Time fields.
inline constexpr const char* kTextStartTimeLabel = "計測開始時刻：";
inline constexpr const char* kTextNowTimeLabel = "現在時刻：";
inline constexpr const char* kTextTimeFormat = "%Y/%m/%d %H:%M:%S";

// Review of a file: the time fields, and the file dialog's filter, initial file name and
// default extension.
inline constexpr const char* kTextRecordedTimeLabel = "記録開始／終了時刻：";
inline constexpr const char* kTextShownTimeLabel = "表示先頭／終端時刻：";
inline constexpr const char* kTextEndTimeFormat = "%H:%M:%S";
inline constexpr const char* kFormatTimeSpan = "%s-%s";  // start, end
inline constexpr const char* kTextEdfFilter = "EDFファイル(*.edf)";
inline constexpr const char* kTextEdfInitialName = "*.edf";
inline constexpr const char* kTextEdfExtension = "edf";

// Status line.
inline constexpr const char* kTextNotConnected = "未接続";
inline constexpr const char* kTextChoosePortHint =
    "受信機をUSBに接続し「通信／通信設定...」でポート番号を選択してください";
inline constexpr const char* kTextPortCannotOpen = "選択されたポートはオープンできません";
inline constexpr const char* kFormatReceiverMeasuring = "%s シリアル：%s %s";  // port, serial, model
inline constexpr const char* kFormatReceiverOther = "シリアル：%s %s";          // serial, model
inline constexpr const char* kTextCodeOlder = "TQR27";
inline constexpr const char* kTextCodeCurrent = "TQS27";
inline constexpr const char* kTextModelOlder = "Tessaly";
inline constexpr const char* kTextModelCurrent = "RQ-5";
inline constexpr const char* kTextModelUnknown = "RQ";
inline constexpr const char* kTextSerialUnknown = "-    ";

// Confirmation of the saved-file settings before a measurement.
inline constexpr const char* kConfirmIndent = "        ";
inline constexpr const char* kConfirmNotSet = "設定なし";
inline constexpr const char* kConfirmEdfType = "EDFファイル";
inline constexpr const char* kConfirmCsvType = "CSVファイル";
inline constexpr const char* kConfirmAutomaticNames = "<デフォルト設定>";
inline constexpr const char* kConfirmUserNames = "<ユーザー設定>";
inline constexpr const char* kConfirmEdfExample = "[計測開始年月日]_[時刻].edf(例：20180401_221315.edf)";
inline constexpr const char* kConfirmCsvExample = "[計測開始年月日]_[時刻].csv(例：20180401_221315.csv)";
// folder part, type part, name part
inline constexpr const char* kFormatConfirmSettings =
    "計測されたデータは下記に保存されます。\r\n\r\n"
    "    保存先フォルダ：\r\n%s\r\n"
    "    保存ファイルタイプ：\r\n%s\r\n"
    "    保存ファイル名：\r\n%s\r\n\r\n"
    "このまま計測を開始しますか？\r\n\r\n"
    "よろしければ「はい」を押してください。計測を開始します。\r\n\r\n"
    "設定を変更するときは「いいえ」を押し、\r\n"
    "保存ファイル設定ダイアログで設定を変更してください。\r\n";
inline constexpr const char* kTextConfirmNoFileType =
    "保存ファイルタイプが設定されていません。\r\n"
    "このまま計測を開始してもデータは保存されません。\r\n"
    "よろしいですか？";
inline constexpr const char* kTextConfirmOverwriteEdf =
    "指定されたEDFファイルはすでに存在します。\r\n上書きしますか？";
inline constexpr const char* kTextConfirmOverwriteCsv =
    "指定されたCSVファイルはすでに存在します。\r\n上書きしますか？";

// Back from review to real time.
inline constexpr const char* kTextConfirmBackToRealTime =
    "リアルタイム計測モードに戻ると、グラフはリセットされ表示範囲もデフォルトの設定に戻ります。\r\n"
    "よろしいですか？";

// Memory-card information: total MB, free MB.
inline constexpr const char* kFormatCardInfo = "総容量%dMBのうち、残り容量は%dMBです。";
