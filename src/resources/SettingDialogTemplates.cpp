#include "resources/SettingDialogTemplates.h"

#include <array>

namespace {

using K = eControlKind;
constexpr unsigned kTab = kStyleTabStop;

constexpr std::array<sControlTemplate, 4> kCommunicationControls = {{
    {kIdPortLabel, K::Static, "ポート番号 ：", kStyleNone, 21, 13, 42, 8},
    {kIdPortList, K::DropDownList, "", kTab, 67, 11, 67, 12},
    {kIdOk, K::Button, "OK", kTab, 62, 36, 49, 14},
    {kIdCancel, K::Button, "キャンセル", kTab, 119, 36, 49, 14},
}};

constexpr sDialogTemplate kCommunication = {
    "通信設定", "MS UI Gothic", 9, 183, 58, kCommunicationControls,
};

constexpr std::array<sControlTemplate, 17> kSavedFileControls = {{
    {kIdFolderLabel, K::Static, "保存先フォルダ：", kStyleNone, 11, 13, 163, 9},
    {kIdFolder, K::MultiLineEdit, "", kStyleReadOnly | kStyleBorder, 18, 28, 241, 38},
    {kIdBrowse, K::Button, "変更", kTab, 209, 11, 50, 14},
    {kIdTypeLabel, K::Static, "保存ファイルタイプ：\r\n(通常の使用時はEDFファイルのみを選択します)", kStyleNone,
     11, 77, 161, 19},
    {kIdEdfType, K::CheckBox, "EDFファイル", kTab, 22, 98, 51, 10},
    {kIdCsvType, K::CheckBox, "CSVファイル", kTab, 22, 109, 51, 10},
    {kIdNamingLabel, K::Static, "保存ファイル名：", kStyleNone, 12, 125, 164, 11},
    {kIdDefaultName, K::RadioButton, "デフォルト設定", kTab, 21, 136, 61, 10},
    {kIdEdfExample, K::Static, "[計測開始年月日]_[時刻].edf（例：20180401_221315.edf）", kStyleNone, 36, 149, 194, 8},
    {kIdCsvExample, K::Static, "[計測開始年月日]_[時刻].csv（例：20180401_221315.csv）", kStyleNone, 35, 160, 194, 8},
    {kIdUserName, K::RadioButton, "ユーザー設定", kTab, 21, 173, 59, 10},
    {kIdEdfNameLabel, K::Static, "EDFファイル(*.edf) ：", kStyleNone, 36, 186, 65, 8},
    {kIdEdfName, K::Edit, "", kTab | kStyleBorder, 103, 183, 153, 14},
    {kIdCsvNameLabel, K::Static, "CSVファイル(*.csv) ：", kStyleNone, 35, 200, 65, 8},
    {kIdCsvName, K::Edit, "", kTab | kStyleBorder, 103, 198, 153, 14},
    {kIdOk, K::Button, "OK", kTab, 131, 223, 50, 14},
    {kIdCancel, K::Button, "キャンセル", kTab, 185, 223, 50, 14},
}};

constexpr sDialogTemplate kSavedFile = {
    "保存ファイル設定", "MS UI Gothic", 9, 268, 246, kSavedFileControls,
};

// Each pair of radio buttons starts a group of its own. The list stands one line high; the
// template's height of 30 is that of the opened list.
constexpr std::array<sControlTemplate, 10> kFftControls = {{
    {kIdFftModeGroup, K::GroupBox, "FFT表示方法", kStyleNone, 7, 11, 150, 40},
    {kIdFftBandMode, K::RadioButton, "δ波・θ波・α波・β波を表示", kTab, 19, 22, 98, 10},
    {kIdFftDetailMode, K::RadioButton, "周波数詳細を表示", kStyleNone, 19, 36, 78, 10},
    {kIdFftRangeGroup, K::GroupBox, "FFT計算範囲", kStyleNone, 7, 59, 149, 41},
    {kIdFftNewestSeconds, K::RadioButton, "直近4秒のFFTを計算", kTab, 19, 70, 85, 10},
    {kIdFftShownRange, K::RadioButton, "表示範囲のFFTを計算", kStyleNone, 19, 84, 89, 10},
    {kIdFftYMaxLabel, K::Static, "縦軸最大値(μV^2) ：", kStyleNone, 14, 113, 70, 8},
    {kIdFftYMaxList, K::DropDownList, "", kTab, 89, 112, 67, 14},
    {kIdOk, K::Button, "OK", kTab, 61, 140, 50, 14},
    {kIdCancel, K::Button, "キャンセル", kTab, 115, 140, 50, 14},
}};

constexpr sDialogTemplate kFft = {
    "FFT設定", "MS UI Gothic", 9, 172, 161, kFftControls,
};

}  // namespace

const sDialogTemplate& FftSettingTemplate()
{
    return kFft;
}

const sDialogTemplate& CommunicationSettingTemplate()
{
    return kCommunication;
}

const sDialogTemplate& SavedFileSettingTemplate()
{
    return kSavedFile;
}
