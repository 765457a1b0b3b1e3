#include "resources/DialogTemplate.h"

#include <array>

#include "resources/ResourceIds.h"

namespace {

constexpr unsigned kTab = kStyleTabStop;
constexpr unsigned kEditStyle = kStyleReadOnly | kStyleBorder;

// The controls in template order: the window creates them in this order, which also gives
// their stacking (the group box lies under its check boxes) and the Tab order.
constexpr std::array<sControlTemplate, 26> kMainControls = {{
    {kIdGraphEeg, eControlKind::Custom, "", kStyleStaticEdge, 24, 80, 197, 40},
    {kIdChartFft, eControlKind::Custom, "", kStyleNone, 234, 64, 62, 72},
    {kIdStart, eControlKind::Button, "計測開始", kTab, 7, 10, 70, 23},
    {kIdStop, eControlKind::Button, "計測停止", kTab, 82, 10, 70, 23},
    {kIdOpenEdf, eControlKind::Button, "EDFファイルオープン", kTab, 7, 36, 70, 23},
    {kIdNowTimeLabel, eControlKind::Static, "現在時刻：", kStyleAlignRight, 312, 24, 67, 8},
    {kIdNowTime, eControlKind::Edit, "", kEditStyle, 383, 22, 93, 12},
    {kIdGraphEmg, eControlKind::Custom, "", kStyleStaticEdge, 24, 144, 197, 40},
    {kIdGraphGroup, eControlKind::GroupBox, "表示グラフ", kStyleNone, 499, 2, 71, 36},
    {kIdCheckEeg, eControlKind::CheckBox, "脳波", kTab, 502, 12, 26, 10},
    {kIdCheckEmg, eControlKind::CheckBox, "筋電", kTab, 502, 24, 26, 10},
    {kIdCheckEegFft, eControlKind::CheckBox, "脳波FFT", kTab, 529, 12, 37, 10},
    {kIdStartTimeLabel, eControlKind::Static, "計測開始時刻：", kStyleAlignRight, 312, 10, 67, 8},
    {kIdStartTime, eControlKind::Edit, "", kEditStyle, 383, 7, 93, 13},
    {kIdBackToRealTime, eControlKind::MultiLineButton, "リアルタイム計測モードに戻る", kTab, 234, 35, 70, 23},
    {kIdScrollBar, eControlKind::ScrollBar, "", kStyleNone, 48, 125, 151, 11},
    {kIdLeft, eControlKind::Button, "←", kTab, 24, 124, 21, 14},
    {kIdRight, eControlKind::Button, "→", kTab, 201, 124, 21, 14},
    {kIdChartHypnogram, eControlKind::Custom, "", kStyleNone, 25, 207, 60, 67},
    {kIdChartFftTrend, eControlKind::Custom, "", kStyleNone, 111, 206, 60, 71},
    {kIdCheckAnalysis, eControlKind::CheckBox, "解析結果", kTab, 529, 24, 37, 10},
    {kIdAnalysisStart, eControlKind::Button, "解析開始", kTab, 82, 36, 70, 23},
    {kIdAnalysisSave, eControlKind::Button, "解析結果保存", kTab, 159, 36, 70, 23},
    {kIdStatusSource, eControlKind::Static, "", kStyleClientEdge, 576, 8, 170, 18},
    {kIdStatusSpare, eControlKind::Static, "", kStyleClientEdge, 576, 55, 170, 18},
    {kIdStatusText, eControlKind::Static, "", kStyleClientEdge, 576, 30, 170, 18},
}};

constexpr sDialogTemplate kMainDialog = {
    "Velquin", "MS UI Gothic", 9, 762, 551, kMainControls,
};

}  // namespace

const sDialogTemplate& MainDialogTemplate()
{
    return kMainDialog;
}
