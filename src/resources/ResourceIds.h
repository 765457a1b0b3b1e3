#pragma once
// Identifiers of the main window's controls and commands. A control's objectName is its
// decimal id ("1068") and a command's QAction carries its id in data(), so code and tests
// find every control and command by the numbers below.

// Controls of the main window, in the order the window creates them.
inline constexpr int kIdGraphEeg = 1012;
inline constexpr int kIdChartFft = 1060;
inline constexpr int kIdStart = 1068;
inline constexpr int kIdStop = 1069;
inline constexpr int kIdOpenEdf = 1070;
inline constexpr int kIdNowTimeLabel = 1071;
inline constexpr int kIdNowTime = 1072;
inline constexpr int kIdGraphEmg = 1013;
inline constexpr int kIdGraphGroup = 1073;
inline constexpr int kIdCheckEeg = 1074;
inline constexpr int kIdCheckEmg = 1075;
inline constexpr int kIdCheckEegFft = 1076;
inline constexpr int kIdStartTimeLabel = 1077;
inline constexpr int kIdStartTime = 1078;
inline constexpr int kIdBackToRealTime = 1079;
inline constexpr int kIdScrollBar = 1080;
inline constexpr int kIdLeft = 1081;
inline constexpr int kIdRight = 1082;
inline constexpr int kIdChartHypnogram = 1111;
inline constexpr int kIdChartFftTrend = 1112;
inline constexpr int kIdCheckAnalysis = 1083;
inline constexpr int kIdAnalysisStart = 1084;
inline constexpr int kIdAnalysisSave = 1085;
inline constexpr int kIdStatusSource = 1092;
inline constexpr int kIdStatusSpare = 1093;
inline constexpr int kIdStatusText = 1094;

// Commands of the menu bar (and one without a menu item).
inline constexpr int kCommandOpenEdf = 32777;
inline constexpr int kCommandSavedFileSetting = 32778;
inline constexpr int kCommandCommunicationSetting = 32781;
inline constexpr int kCommandAppAbout = 32782;
inline constexpr int kCommandViewEegGraph = 32850;
inline constexpr int kCommandViewEmgGraph = 32851;
inline constexpr int kCommandViewEegFft = 32852;
inline constexpr int kCommandFftSetting = 32853;
inline constexpr int kCommandCardInfo = 32855;  // no menu item
inline constexpr int kCommandReceiverSetting = 32857;
