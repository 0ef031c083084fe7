#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QString>
#include <QVariant>

#include <atomic>
#include <memory>

class QNetworkAccessManager;

// Carries out HttpTool's transfers, one at a time, in a thread of its own. A reply copies
// its header lines in the thread it lives in, at a cost growing with the square of their
// count (minutes for a flood of them), and that must never hold the window.
class HttpWorker : public QObject
{
    Q_OBJECT

public:
    struct Job
    {
        QNetworkRequest request;
        QByteArray verb;
        QByteArray body;
        // Set by the waiting side once it has given up: a job found so never starts.
        std::shared_ptr<std::atomic_bool> abandoned;
    };
    struct Result
    {
        QVariant status; // the HTTP status; invalid when no HTTP answer came
        QNetworkReply::NetworkError error = QNetworkReply::NoError;
        QString errorText;
        QByteArray body; // one byte over maxReplyBytes: aborted as too large
    };

    explicit HttpWorker(qint64 maxReplyBytes, QObject *parent = nullptr);

    // Sends the request; finished() tells the outcome. Called in the worker's thread.
    void start(const HttpWorker::Job &job);

signals:
    void finished(const HttpWorker::Result &result);

private:
    void take();
    void finish();

    const qint64 m_maxReplyBytes;
    QNetworkAccessManager *m_manager = nullptr; // made in the worker's thread, on first use
    QNetworkReply *m_reply = nullptr;
    std::shared_ptr<std::atomic_bool> m_abandoned; // the current job's
    QByteArray m_body;
};

Q_DECLARE_METATYPE(HttpWorker::Result)
