#include "framelesswidgetstate.h"

#include <QHoverEvent>
#include <QMouseEvent>
#include <QWidget>

#include "widgets/linuxrubberband.h"

namespace {
constexpr int kMinimumSide = 40;
// The rubber band follows a move only from this top strip, whatever the title height.
constexpr int kRubberBandMoveStrip = 30;
} // namespace

FramelessWidgetState::FramelessWidgetState(FramelessHelper::Data *owner, QWidget *widget)
    : m_owner(owner), m_widget(widget), m_windowFlags(widget->windowFlags())
{}

FramelessWidgetState::~FramelessWidgetState() = default;

void FramelessWidgetState::onWidgetEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        onPress(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseButtonRelease:
        onRelease(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseMove:
        onMove(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::HoverMove:
        if (m_owner->resizable)
            updateCursor(m_widget->mapToGlobal(static_cast<QHoverEvent *>(event)->pos()));
        break;
    case QEvent::Leave:
        if (!m_leftButtonPressed)
            m_widget->unsetCursor();
        break;
    default:
        break;
    }
}

void FramelessWidgetState::onPress(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_leftButtonPressed = true;
    m_leftButtonPressedInTitle = event->pos().y() < FramelessHelper::titleBarHeight();

    const QRect frame = m_widget->frameGeometry();
    m_pressedHit.compute(event->globalPos(), frame);
    m_dragOffset = event->globalPos() - frame.topLeft();

    if (!m_rubberBand)
        return;
    const QRect moveStrip(frame.left(), frame.top(), frame.width(), kRubberBandMoveStrip);
    const bool resizeBand = m_pressedHit.onEdges && m_owner->rubberBandOnResize;
    const bool moveBand = !m_pressedHit.onEdges && m_owner->rubberBandOnMove &&
                          moveStrip.contains(event->globalPos());
    if (resizeBand || moveBand) {
        m_rubberBand->setGeometry(frame);
        m_rubberBand->show();
    }
}

void FramelessWidgetState::onRelease(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_leftButtonPressed = false;
    m_leftButtonPressedInTitle = false;
    m_pressedHit = EdgeHitTest();
    if (m_rubberBand && m_rubberBand->isVisible()) {
        m_rubberBand->hide();
        m_widget->setGeometry(m_rubberBand->geometry());
    }
}

void FramelessWidgetState::onMove(QMouseEvent *event)
{
    if (!m_leftButtonPressed) {
        if (m_owner->resizable)
            updateCursor(event->globalPos());
        return;
    }
    if (m_owner->resizable && m_pressedHit.onEdges) {
        resizeTo(event->globalPos());
    } else if (m_owner->movable && m_leftButtonPressedInTitle) {
        const QPoint topLeft = event->globalPos() - m_dragOffset;
        if (m_rubberBand && m_owner->rubberBandOnMove)
            m_rubberBand->move(topLeft);
        else
            m_widget->move(topLeft);
    }
}

void FramelessWidgetState::resizeTo(const QPoint &globalPos)
{
    const bool onBand = m_rubberBand && m_owner->rubberBandOnResize;
    const QRect old = onBand ? m_rubberBand->frameGeometry() : m_widget->frameGeometry();
    QRect rect = draggedRect(old, globalPos);
    if (!rect.isValid())
        return;
    keepMinimumSize(rect, old);

    if (onBand)
        m_rubberBand->setGeometry(rect);
    else
        m_widget->setGeometry(rect);
}

QRect FramelessWidgetState::draggedRect(const QRect &old, const QPoint &globalPos) const
{
    int left = old.left();
    int top = old.top();
    int right = old.right();
    int bottom = old.bottom();
    const int px = globalPos.x();
    const int py = globalPos.y();

    // Corners first: a corner press also lies on its two edges.
    if (m_pressedHit.topLeft) {
        left = px;
        top = py;
    } else if (m_pressedHit.bottomLeft) {
        left = px;
        bottom = py;
    } else if (m_pressedHit.topRight) {
        right = px;
        top = py;
    } else if (m_pressedHit.bottomRight) {
        right = px;
        bottom = py;
    } else if (m_pressedHit.left) {
        left = px;
    } else if (m_pressedHit.right) {
        right = px;
    } else if (m_pressedHit.top) {
        top = py;
    } else if (m_pressedHit.bottom) {
        bottom = py;
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void FramelessWidgetState::keepMinimumSize(QRect &rect, const QRect &old)
{
    // The moving edge stays where it was rather than shrink below the minimum.
    if (rect.width() < kMinimumSide) {
        if (rect.left() == old.left())
            rect.setRight(old.right());
        else
            rect.setLeft(old.left());
    }
    if (rect.height() < kMinimumSide) {
        if (rect.top() == old.top())
            rect.setBottom(old.bottom());
        else
            rect.setTop(old.top());
    }
}

void FramelessWidgetState::updateCursor(const QPoint &globalPos)
{
    if (m_widget->windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized)) {
        if (m_cursorChanged)
            m_widget->unsetCursor();
        return;
    }

    m_hoverHit.compute(globalPos, m_widget->frameGeometry());
    Qt::CursorShape shape;
    if (m_hoverHit.topLeft || m_hoverHit.bottomRight) {
        shape = Qt::SizeFDiagCursor;
    } else if (m_hoverHit.topRight || m_hoverHit.bottomLeft) {
        shape = Qt::SizeBDiagCursor;
    } else if (m_hoverHit.left || m_hoverHit.right) {
        shape = Qt::SizeHorCursor;
    } else if (m_hoverHit.top || m_hoverHit.bottom) {
        shape = Qt::SizeVerCursor;
    } else {
        if (m_cursorChanged) {
            m_widget->unsetCursor();
            m_cursorChanged = false;
        }
        return;
    }
    m_widget->setCursor(shape);
    m_cursorChanged = true;
}

void FramelessWidgetState::updateRubberBand()
{
    if (!m_owner->rubberBandOnResize && !m_owner->rubberBandOnMove)
        m_rubberBand.reset();
    else if (!m_rubberBand)
        m_rubberBand = std::make_unique<LinuxRubberBand>(QRubberBand::Rectangle);
}
