#pragma once

#include <QWidget>

#include <functional>

// Acts on a modal box from inside its exec() loop, as an operator would.
namespace ModalBox {

// Runs action once on the active modal widget as soon as one of the given type is up,
// looking again every few milliseconds; gives up after five seconds so that a box that
// never came leaves nothing behind for later tests.
void whenShown(const QMetaObject &type, std::function<void(QWidget *)> action);

template <typename Box = QWidget, typename Action> void whenShown(Action action)
{
    whenShown(Box::staticMetaObject, [action](QWidget *box) { action(static_cast<Box *>(box)); });
}

} // namespace ModalBox
