#pragma once

#include <QObject>

#include <memory>
#include <unordered_map>

class FramelessWidgetState;
class QWidget;

// Moves frameless widgets by their title area and resizes them at their border bands,
// with the matching resize cursors. The widget's own mouse handlers no longer see its
// press, release, move, leave and hover events.
class FramelessHelper : public QObject
{
    Q_OBJECT

public:
    // Registry and options, read by the widgets' states.
    struct Data
    {
        std::unordered_map<QWidget *, std::unique_ptr<FramelessWidgetState>> registry;
        bool movable = true;
        bool resizable = true;
        bool rubberBandOnResize = false;
        bool rubberBandOnMove = false;
    };

    explicit FramelessHelper(QObject *parent = nullptr);
    // Gives every attached widget back its tracking, hover attribute and window flags.
    ~FramelessHelper() override;

    // A widget already attached is left as it is.
    void attachWidget(QWidget *widget);

    // Shared by all helpers: a press above this height (widget coordinates) may drag.
    // 0 is ignored.
    static void setTitleBarHeight(int height);
    static int titleBarHeight();
    static int borderWidth();

    void setMovable(bool movable);
    void setResizable(bool resizable);
    bool isMovable() const;
    bool isResizable() const;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void forgetWidget(QObject *widget);

    std::unique_ptr<Data> d;
};
