#include "imageform.h"

#include "common/singleinstance.h"

ImageForm::ImageForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ImageForm"));
}

ImageForm *ImageForm::Instance()
{
    return PageInstance<ImageForm>::get();
}
