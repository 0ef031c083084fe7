#pragma once

#include <QWidget>

// The mask tool panel shown in the slide-in panel. For now an empty page.
class ImageForm : public QWidget
{
    Q_OBJECT

public:
    explicit ImageForm(QWidget *parent = nullptr);

    // The single panel, built without parent on the first call; null once destroyed.
    static ImageForm *Instance();
};
