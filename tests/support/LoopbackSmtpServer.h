#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QThread>

class QObject;
class QTcpSocket;

namespace vantrel::test {

// A small SMTP server on 127.0.0.1 that runs on a thread of its own, so that a
// blocking client in the test's thread can talk to it. It keeps what each
// session delivered: the envelope, the login and the message as received.
class LoopbackSmtpServer {
public:
    struct Message {
        QByteArray sender;
        QList<QByteArray> recipients;
        QByteArray login; // AUTH PLAIN, decoded: "\0user\0password"
        QByteArray data; // dot-stuffing removed

        QByteArray headers() const;
        QByteArray body() const;
        // The value of one header, with folded lines joined; empty when absent.
        QByteArray header(const QByteArray& name) const;
    };

    LoopbackSmtpServer();
    ~LoopbackSmtpServer();
    LoopbackSmtpServer(const LoopbackSmtpServer&) = delete;
    LoopbackSmtpServer& operator=(const LoopbackSmtpServer&) = delete;

    quint16 port() const { return m_port; }
    // Answers RCPT TO for this address with the given reply ("550 ...").
    void rejectRecipient(const QByteArray& address, const QByteArray& reply);
    QList<Message> messages() const;

private:
    struct Session;
    void serve(QTcpSocket* socket);
    QByteArray answer(Session& session, const QByteArray& line);

    QThread m_thread;
    QObject* m_context = nullptr;
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QList<Message> m_messages;
    QHash<QByteArray, QByteArray> m_rejections;
};

} // namespace vantrel::test
