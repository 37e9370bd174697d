#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace brisca {

// Sets a control's place and size given in design units (1/1440 inch).
void PlaceInDesignUnits(QWidget* control, int left, int top, int width, int height);
// A caption without an object name at x, y with size w × h in pixels.
QLabel* Caption(QWidget* parent, const QString& text, int x, int y, int w, int h = 22);
// A text box named `name` at x, y with size w × h in pixels.
QLineEdit* Entry(QWidget* parent, const char* name, int x, int y, int w, int h = 24);
// An option button named `name` at x, y, w pixels wide, one line high.
QRadioButton* Option(QWidget* parent, const char* name, const QString& caption, int x, int y, int w);
// A push button named `name` at x, y with size w × h in pixels.
QPushButton* Button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h);
// A framed group named `name` at x, y with size w × h in pixels.
QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h);

} // namespace brisca
