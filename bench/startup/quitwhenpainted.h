#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

// Watches every event of the application and, once a top-level window of type Window has
// painted for the first time, quits the event loop from the loop itself, so the process
// then ends the way a normal quit ends it.
template <typename Window> class QuitWhenPainted : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const auto *window = qobject_cast<Window *>(watched);
            if (window && window->isWindow()) {
                QCoreApplication::instance()->removeEventFilter(this);
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), [] { QCoreApplication::quit(); },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }
};
