#pragma once

#include <QFont>

namespace brisca {

// The family the windows ask for; a Japanese font installed here stands in for it.
inline constexpr const char* kWindowFontFamily = "Meiryo";

// Maps the window font to an installed Japanese font and makes it the application font, so
// that no caption is drawn as empty boxes.
void InstallJapaneseFont();

// The window font at the given point size.
QFont WindowFont(double pointSize = 9.0);

} // namespace brisca
