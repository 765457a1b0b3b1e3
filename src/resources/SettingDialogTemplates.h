#pragma once
// Templates of the settings dialogs as data: caption, font, size and the controls in
// creation order (which is also their Tab order) with their places in dialog units. The
// dialogs (src/dialogs) make widgets of them; a control's objectName is its decimal id.

#include "resources/DialogTemplate.h"

// The dialogs' buttons.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Communication settings (template 144).
inline constexpr int kIdPortLabel = 1077;
inline constexpr int kIdPortList = 1078;
const sDialogTemplate& CommunicationSettingTemplate();

// Saved-file settings (template 146).
inline constexpr int kIdNamingLabel = 1092;
inline constexpr int kIdFolderLabel = 1093;
inline constexpr int kIdBrowse = 1094;
inline constexpr int kIdTypeLabel = 1095;
inline constexpr int kIdFolder = 1096;
inline constexpr int kIdEdfType = 1097;
inline constexpr int kIdCsvType = 1098;
inline constexpr int kIdDefaultName = 1100;
inline constexpr int kIdUserName = 1101;
inline constexpr int kIdEdfExample = 1102;
inline constexpr int kIdCsvExample = 1103;
inline constexpr int kIdEdfNameLabel = 1105;
inline constexpr int kIdCsvNameLabel = 1106;
inline constexpr int kIdEdfName = 1108;
inline constexpr int kIdCsvName = 1109;
const sDialogTemplate& SavedFileSettingTemplate();

// FFT settings (template 145).
inline constexpr int kIdFftModeGroup = 1084;
inline constexpr int kIdFftBandMode = 1082;
inline constexpr int kIdFftDetailMode = 1083;
inline constexpr int kIdFftRangeGroup = 1085;
inline constexpr int kIdFftNewestSeconds = 1086;
inline constexpr int kIdFftShownRange = 1087;
inline constexpr int kIdFftYMaxLabel = 1088;
inline constexpr int kIdFftYMaxList = 1089;
const sDialogTemplate& FftSettingTemplate();
