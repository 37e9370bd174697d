#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QString>
#include <cstddef>
#include <stdexcept>
#include <string>

// The control named `name` among the children of `window`. Windows keep their controls to
// themselves; a test reaches them by the object names a user's scripts would use. A name the
// window lacks ends the test with that name.
template <class Control> Control* Find(const QObject& window, const QString& name)
{
    auto* control = window.findChild<Control*>(name);
    if (!control)
        throw std::runtime_error(window.objectName().toStdString() + " has no control " + name.toStdString());
    return control;
}

// The control of a numbered row or column, named `stem` followed by its number from 1.
template <class Control> Control* Find(const QObject& window, const char* stem, std::size_t number)
{
    return Find<Control>(window, QString(stem) + QString::number(number));
}

// Clicks the button, option or check box named `name` of `window`.
inline void Click(const QObject& window, const QString& name)
{
    Find<QAbstractButton>(window, name)->click();
}
