#pragma once

class QWidget;

namespace brisca {

// Fits a window to the screen it opens on; called at the end of its constructor, once its
// size and controls are set. The window is centred on the screen's available area, moved
// down and right by `cascade` steps so that windows opened over each other stay apart. On a
// screen too small for it, its controls move into a scroll area filling a window as large as
// the screen allows, so that every control can still be reached; on a large enough screen
// the window stays exactly as it was built.
void FitOnScreen(QWidget& window, int cascade);

} // namespace brisca
