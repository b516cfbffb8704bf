#pragma once
// The face names the program asks for, mapped to installed faces with the
// same metrics.

namespace cindral::platform::qt {

// "ＭＳ Ｐゴシック" to IPAPGothic, "ＭＳ ゴシック" to IPAGothic, "Times New
// Roman" to Liberation Serif. Installs them once; later calls do nothing.
// Needs a Qt application object.
void InstallFontSubstitutions();

}  // namespace cindral::platform::qt
