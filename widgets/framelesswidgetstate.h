#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

#include <memory>

#include "widgets/edgehittest.h"
#include "widgets/framelesshelper.h"

class LinuxRubberBand;
class QEvent;
class QMouseEvent;
class QWidget;

// Drag and resize state of one widget attached to a FramelessHelper.
class FramelessWidgetState
{
public:
    FramelessWidgetState(FramelessHelper::Data *owner, QWidget *widget);
    ~FramelessWidgetState();

    void onWidgetEvent(QEvent *event);
    // Moves the edges taken at the last left press to the global point.
    void resizeTo(const QPoint &globalPos);
    // Shows the resize cursor for the edges under the global point.
    void updateCursor(const QPoint &globalPos);
    // Creates or drops the rubber band to match the owner's options.
    void updateRubberBand();

    QWidget *widget() const { return m_widget; }
    Qt::WindowFlags savedWindowFlags() const { return m_windowFlags; }

private:
    void onPress(QMouseEvent *event);
    void onRelease(QMouseEvent *event);
    void onMove(QMouseEvent *event);
    // `old` with the edges taken at the last left press moved to the global point.
    QRect draggedRect(const QRect &old, const QPoint &globalPos) const;
    static void keepMinimumSize(QRect &rect, const QRect &old);

    FramelessHelper::Data *m_owner;
    std::unique_ptr<LinuxRubberBand> m_rubberBand;
    QWidget *m_widget;
    QPoint m_dragOffset;
    EdgeHitTest m_pressedHit;
    EdgeHitTest m_hoverHit;
    bool m_leftButtonPressed = false;
    bool m_cursorChanged = false;
    bool m_leftButtonPressedInTitle = false;
    Qt::WindowFlags m_windowFlags;
};
