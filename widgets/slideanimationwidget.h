#pragma once

#include <QWidget>

#include <memory>

class QPropertyAnimation;

namespace Ui {
class SlideAnimationWidget;
}

// A side panel resting as a 10-pixel strip; it slides out to 300 pixels while the
// pointer is over it (or its frame has focus) and back when the pointer leaves.
class SlideAnimationWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int CollapsedWidth = 10;
    static constexpr int ExpandedWidth = 300;
    static constexpr int SlideDuration = 1300;

    explicit SlideAnimationWidget(QWidget *parent = nullptr);
    ~SlideAnimationWidget() override;

    // The single panel, built without parent on the first call; null once destroyed.
    static SlideAnimationWidget *Instance();

    // Where the panel sits in its parent; both slides run at this place.
    void setPos(int x, int y);

    bool expanded() const { return isExpanded; }
    const QPropertyAnimation *slideOut() const { return slideOutAnimation.get(); }
    const QPropertyAnimation *slideIn() const { return slideInAnimation.get(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void slotSlideOutFinished();
    void slotSlideInFinished();

private:
    void startSlide(QPropertyAnimation *animation, int fromWidth, int toWidth);

    // Owned here rather than by a QObject parent so that they go with the panel.
    std::unique_ptr<QPropertyAnimation> slideOutAnimation;
    std::unique_ptr<QPropertyAnimation> slideInAnimation;
    bool isExpanded = false;
    bool frameFocused = false;
    int posX = 0;
    int posY = 0;
    Ui::SlideAnimationWidget *ui = nullptr;
};
