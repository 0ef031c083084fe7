#pragma once

#include <QDialog>
#include <QPoint>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QVBoxLayout;

// The frame the kit's dialogs share: a frameless stay-on-top window with its own title bar
// (title glyph, title text, optional count-down text, close glyph), a main area for the
// dialog's own content, an optional self-closing count-down of whole seconds, and dragging
// by the mouse anywhere on the box.
class QUIDialogBase : public QDialog
{
    Q_OBJECT
public:
    explicit QUIDialogBase(QWidget *parent = nullptr);
    ~QUIDialogBase() override;

    int closeSeconds() const { return closeSec; }
    int currentSeconds() const { return currentSec; }

public slots:
    // The title glyph (FontAwesome) at `size` pixels.
    void setIconMain(QChar str, uint size = 12);

protected slots:
    // One step of the count-down: counts a second, or closes the box when time is up.
    void checkSec();

protected:
    enum TitleOption
    {
        WithCountDown,
        WithoutCountDown
    };

    // Builds the title bar and the empty main area; call first in the constructor.
    void buildFrame(TitleOption option);
    // The sunken box "frame" that holds the dialog's own widgets, `margin` pixels inside the
    // main area.
    QFrame *addContentFrame(int margin);
    // OK ("确定") and Cancel ("取消") pushed to the right end of a new row at the bottom of
    // `frame`'s box layout.
    void addOkCancelRow(QFrame *frame, QPushButton *&ok, QPushButton *&cancel);
    // The shared settings: glyphs, "form" properties, window flags, title, buttons of
    // `frame` at minimum width 80 with 18 x 18 icons, the box as its own event filter.
    void applyFrameSettings(Qt::WindowFlags flags, QWidget *frame);
    // Counters to 0 and the free-running one-second timer.
    void startCountDownTimer();
    // Begins a count-down of `seconds` (0: none) and takes its first step at once.
    void startCountDown(int seconds);

    // Dragging by the left mouse button.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Stops the count-down; the close goes ahead without the dialog's rejection, so a box
    // closed by its count-down keeps the result it has.
    void closeEvent(QCloseEvent *event) override;

    QWidget *widgetTitle = nullptr;
    QLabel *labIco = nullptr;
    QLabel *labTitle = nullptr;
    QLabel *labTime = nullptr; // null without a count-down
    QWidget *widgetMenu = nullptr;
    QPushButton *btnMenu_Close = nullptr;
    QWidget *widgetMainQUI = nullptr;
    QVBoxLayout *m_mainLayout = nullptr;

    int closeSec = 0;
    int currentSec = 0;

private:
    QTimer *m_timer = nullptr;
    bool mousePressed = false;
    QPoint mousePoint;
};
