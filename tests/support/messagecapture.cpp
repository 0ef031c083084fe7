#include "messagecapture.h"

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

namespace {
QMutex g_lock;
QList<QPair<QtMsgType, QString>> g_messages;
QtMessageHandler g_passOnTo = nullptr;

void record(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // The offscreen platform says this whenever a window's size hints change.
    if (text == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    {
        QMutexLocker locker(&g_lock);
        g_messages.append({type, text});
    }
    if (g_passOnTo)
        g_passOnTo(type, context, text);
}
} // namespace

MessageCapture::MessageCapture(bool passOn)
{
    clear();
    m_previous = qInstallMessageHandler(record);
    g_passOnTo = passOn ? m_previous : nullptr;
}

MessageCapture::~MessageCapture()
{
    g_passOnTo = nullptr;
    qInstallMessageHandler(m_previous);
}

QList<QPair<QtMsgType, QString>> MessageCapture::messages() const
{
    QMutexLocker locker(&g_lock);
    return g_messages;
}

QStringList MessageCapture::texts() const
{
    QStringList result;
    for (const auto &message : messages())
        result << message.second;
    return result;
}

QStringList MessageCapture::texts(QtMsgType type) const
{
    QStringList result;
    for (const auto &message : messages()) {
        if (message.first == type)
            result << message.second;
    }
    return result;
}

bool MessageCapture::has(QtMsgType type, const QString &text) const
{
    return messages().contains({type, text});
}

QString MessageCapture::joined() const
{
    return texts().join('\n');
}

void MessageCapture::clear()
{
    QMutexLocker locker(&g_lock);
    g_messages.clear();
}
