#include "windows/Controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "windows/DesignUnits.h"

namespace brisca {

namespace {

// A child control of `parent` with its object name and its place in pixels.
template <class Control, class... Args>
Control* Named(QWidget* parent, const char* name, int x, int y, int w, int h, const Args&... args)
{
    auto* control = new Control(args..., parent);
    control->setObjectName(name);
    control->setGeometry(x, y, w, h);
    return control;
}

} // namespace

void PlaceInDesignUnits(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(
        DesignToPixels(left), DesignToPixels(top), DesignToPixels(width), DesignToPixels(height));
}

QLabel* Caption(QWidget* parent, const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

QLineEdit* Entry(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    return Named<QLineEdit>(parent, name, x, y, w, h);
}

QRadioButton* Option(QWidget* parent, const char* name, const QString& caption, int x, int y, int w)
{
    return Named<QRadioButton>(parent, name, x, y, w, 24, caption);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    return Named<QPushButton>(parent, name, x, y, w, h, caption);
}

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    return Named<QGroupBox>(parent, name, x, y, w, h, caption);
}

} // namespace brisca
