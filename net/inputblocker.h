#pragma once

#include <QObject>

// While it lives, the busy cursor shows (in a GUI application) and what the user sends is
// swallowed. A request waits in a local event loop: input held back until it ends would be replayed
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

private:
    // Only a GUI application has a cursor (qGuiApp is a plain cast, never null).
    const bool m_hasCursor;
};
