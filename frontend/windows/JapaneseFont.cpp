#include "windows/JapaneseFont.h"

#include <QApplication>

namespace brisca {

void InstallJapaneseFont()
{
    // IPAGothic comes with fonts-ipafont-gothic; the others are tried where it is missing.
    QFont::insertSubstitutions(
        kWindowFontFamily, {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "VL Gothic"});
    QApplication::setFont(WindowFont());
}

QFont WindowFont(double pointSize)
{
    QFont font(kWindowFontFamily);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace brisca
