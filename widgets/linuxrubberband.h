#pragma once

#include <QRubberBand>

// Rectangle that follows a move or resize drag, drawn as a red dashed frame.
class LinuxRubberBand : public QRubberBand
{
public:
    explicit LinuxRubberBand(Shape shape, QWidget *parent = nullptr);
    ~LinuxRubberBand() override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
