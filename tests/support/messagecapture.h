#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QtGlobal>

// Records every message of the framework's message log while it lives, except the
// offscreen platform's own noise.
class MessageCapture
{
public:
    // passOn: the handler installed before still receives every message (a log file).
    explicit MessageCapture(bool passOn = false);
    ~MessageCapture();
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    QList<QPair<QtMsgType, QString>> messages() const;
    QStringList texts() const;
    // The texts of one level only.
    QStringList texts(QtMsgType type) const;
    bool has(QtMsgType type, const QString &text) const;
    // Everything recorded, one message a line: for searching secrets in the log.
    QString joined() const;
    void clear();

private:
    QtMessageHandler m_previous = nullptr;
};
