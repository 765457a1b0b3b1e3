#pragma once
// The windows name their fonts as on Windows ("ＭＳ ゴシック", "MS UI Gothic");
// these are mapped onto the IPA Gothic fonts so Japanese text renders on any Debian machine.

void InstallFontSubstitutions();
