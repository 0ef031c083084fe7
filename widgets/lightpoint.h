#pragma once

#include <QColor>
#include <QWidget>

// A glowing indicator point: a core disc in bgColor with `step` fading halo rings
// spaced `interval` pixels apart.
class LightPoint : public QWidget
{
    Q_OBJECT

public:
    explicit LightPoint(QWidget *parent = nullptr);

    int getStep() const { return step; }
    int getInterval() const { return interval; }
    QColor getBgColor() const { return bgColor; }

    QSize sizeHint() const override { return QSize(100, 100); }
    QSize minimumSizeHint() const override { return QSize(10, 10); }

public slots:
    // Each setter repaints only when the value changes.
    void setStep(int step);
    void setInterval(int interval);
    void setBgColor(QColor bgColor);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int step = 5;
    int interval = 4;
    QColor bgColor = QColor(255, 0, 0);
};
