#pragma once

#include <QFont>

namespace brisca {

// A Japanese font for the texts that pictures carry beside or on the plan: the same list of
// families in the windowed and the console program, so both find the same face on one machine.
QFont CaptionFont(int pixels, bool bold = false);

} // namespace brisca
