#include "modalbox.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace ModalBox {
namespace {

void lookFor(const QMetaObject &type, std::function<void(QWidget *)> action,
             QDeadlineTimer deadline)
{
    QWidget *box = QApplication::activeModalWidget();
    if (box && type.cast(box)) {
        action(box);
        return;
    }
    if (deadline.hasExpired())
        return;
    QTimer::singleShot(10, [&type, action, deadline] { lookFor(type, action, deadline); });
}

} // namespace

void whenShown(const QMetaObject &type, std::function<void(QWidget *)> action)
{
    const QDeadlineTimer deadline(5000);
    QTimer::singleShot(0, [&type, action, deadline] { lookFor(type, action, deadline); });
}

} // namespace ModalBox
