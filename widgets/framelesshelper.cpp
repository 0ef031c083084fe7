#include "framelesshelper.h"

#include <QEvent>
#include <QWidget>

#include "widgets/framelesswidgetstate.h"

namespace {
constexpr int kBorderWidth = 5;
int s_titleBarHeight = 30;
} // namespace

FramelessHelper::FramelessHelper(QObject *parent) : QObject(parent), d(new Data) {}

FramelessHelper::~FramelessHelper()
{
    for (auto &entry : d->registry) {
        QWidget *widget = entry.first;
        widget->removeEventFilter(this);
        widget->setMouseTracking(false);
        // Setting flags hides a shown window: only when they really changed.
        if (widget->windowFlags() != entry.second->savedWindowFlags())
            widget->setWindowFlags(entry.second->savedWindowFlags());
        widget->setAttribute(Qt::WA_Hover, false);
    }
    d->registry.clear();
}

void FramelessHelper::attachWidget(QWidget *widget)
{
    if (!widget || d->registry.count(widget))
        return;
    auto state = std::make_unique<FramelessWidgetState>(d.get(), widget);
    widget->setMouseTracking(true);
    widget->setAttribute(Qt::WA_Hover, true);
    state->updateRubberBand();
    d->registry.emplace(widget, std::move(state));
    widget->installEventFilter(this);
    // A widget that dies first must not leave a dangling entry behind.
    connect(widget, &QObject::destroyed, this, &FramelessHelper::forgetWidget);
}

void FramelessHelper::forgetWidget(QObject *widget)
{
    // Only the pointer value is used: the widget is already being destroyed.
    d->registry.erase(static_cast<QWidget *>(widget));
}

void FramelessHelper::setTitleBarHeight(int height)
{
    if (height != 0)
        s_titleBarHeight = height;
}

int FramelessHelper::titleBarHeight()
{
    return s_titleBarHeight;
}

int FramelessHelper::borderWidth()
{
    return kBorderWidth;
}

void FramelessHelper::setMovable(bool movable)
{
    d->movable = movable;
}

void FramelessHelper::setResizable(bool resizable)
{
    d->resizable = resizable;
}

bool FramelessHelper::isMovable() const
{
    return d->movable;
}

bool FramelessHelper::isResizable() const
{
    return d->resizable;
}

bool FramelessHelper::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Leave:
    case QEvent::HoverMove: {
        auto it = d->registry.find(static_cast<QWidget *>(watched));
        if (it == d->registry.end())
            break;
        it->second->onWidgetEvent(event);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
