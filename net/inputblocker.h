#pragma once

#include <QObject>

// While it lives, the application shows the busy cursor and swallows what the user sends.
// A request waits in a local event loop: input held back until it ends would be replayed
// afterwards (a second login, a late cancel), so it is dropped instead.
class InputBlocker : public QObject
{
    Q_OBJECT

public:
    InputBlocker();
    ~InputBlocker() override;
    InputBlocker(const InputBlocker &) = delete;
    InputBlocker &operator=(const InputBlocker &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
