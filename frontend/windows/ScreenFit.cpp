#include "windows/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace brisca {

namespace {

// Room the window manager takes around a window: the title bar and the borders.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;
// How far each cascaded window is moved from the one before.
constexpr int kCascadeStep = 32;

// Moves every control of `window` into a scroll area that fills it, keeping their places.
void ScrollControls(QWidget& window, QSize room)
{
    const QSize designed = window.size();
    auto* content = new QWidget;
    content->setObjectName("scrolledContent");
    content->setFixedSize(designed);
    for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow()) continue;
        const QRect place = control->geometry();
        control->setParent(content);
        control->setGeometry(place);
    }
    auto* scroll = new QScrollArea(&window);
    scroll->setObjectName("screenScrollArea");
    scroll->setWidget(content);
    scroll->setFrameShape(QFrame::NoFrame);
    // A window never grows beyond its design, whose scroll area then has nothing to scroll.
    window.setMinimumSize(0, 0);
    window.setMaximumSize(designed);
    window.resize(designed.boundedTo(room));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

} // namespace

void FitOnScreen(QWidget& window, int cascade)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize room(area.width() - kFrameWidth, area.height() - kFrameHeight);
    const bool fixedSize = window.minimumSize() == window.maximumSize();
    if (fixedSize && (window.width() > room.width() || window.height() > room.height()))
        ScrollControls(window, room);

    const QSize outer = window.size() + QSize(kFrameWidth, kFrameHeight);
    QPoint place = area.center() - QPoint(outer.width() / 2, outer.height() / 2) +
                   QPoint(cascade * kCascadeStep, cascade * kCascadeStep);
    place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
    place.setY(std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    window.move(place);
}

} // namespace brisca
