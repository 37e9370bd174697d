#include "drawing/CaptionFont.h"

#include <QStringList>

namespace brisca {

QFont CaptionFont(int pixels, bool bold)
{
    QFont font;
    font.setFamilies({"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "VL Gothic", "DejaVu Sans"});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace brisca
