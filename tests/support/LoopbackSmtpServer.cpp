#include "LoopbackSmtpServer.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

namespace vantrel::test {

struct LoopbackSmtpServer::Session {
    QByteArray buffer;
    bool inData = false;
    bool awaitingLogin = false;
    Message current;
};

namespace {

QByteArray between(const QByteArray& line, char open, char close)
{
    const qsizetype start = line.indexOf(open);
    const qsizetype end = line.indexOf(close, start + 1);
    return start < 0 || end < 0 ? QByteArray() : line.mid(start + 1, end - start - 1);
}

} // namespace

QByteArray LoopbackSmtpServer::Message::headers() const
{
    return data.left(data.indexOf("\r\n\r\n") + 2);
}

QByteArray LoopbackSmtpServer::Message::body() const
{
    return data.mid(data.indexOf("\r\n\r\n") + 4);
}

QByteArray LoopbackSmtpServer::Message::header(const QByteArray& name) const
{
    QByteArray value;
    bool inHeader = false;
    for (const QByteArray& line : headers().split('\n')) {
        const QByteArray trimmedLine = line.endsWith('\r') ? line.chopped(1) : line;
        if (trimmedLine.isEmpty())
            continue;
        if (trimmedLine.startsWith(' ') || trimmedLine.startsWith('\t')) {
            if (inHeader)
                value += trimmedLine;
            continue;
        }
        inHeader = trimmedLine.toLower().startsWith(name.toLower() + ':');
        if (inHeader)
            value = trimmedLine.mid(name.size() + 1).trimmed();
    }
    return value;
}

LoopbackSmtpServer::LoopbackSmtpServer()
{
    m_thread.start();
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            auto* server = new QTcpServer(m_context);
            if (!server->listen(QHostAddress::LocalHost, 0))
                qFatal("the loopback SMTP server could not listen");
            m_port = server->serverPort();
            QObject::connect(server, &QTcpServer::newConnection, server, [this, server] {
                while (QTcpSocket* socket = server->nextPendingConnection())
                    serve(socket);
            });
        },
        Qt::BlockingQueuedConnection);
}

LoopbackSmtpServer::~LoopbackSmtpServer()
{
    // The server and its sessions go with their thread.
    QMetaObject::invokeMethod(m_context, &QObject::deleteLater, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void LoopbackSmtpServer::rejectRecipient(const QByteArray& address, const QByteArray& reply)
{
    QMutexLocker lock(&m_mutex);
    m_rejections.insert(address.toLower(), reply);
}

QList<LoopbackSmtpServer::Message> LoopbackSmtpServer::messages() const
{
    QMutexLocker lock(&m_mutex);
    return m_messages;
}

void LoopbackSmtpServer::serve(QTcpSocket* socket)
{
    auto session = std::make_shared<Session>();
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, session] {
        session->buffer += socket->readAll();
        qsizetype end;
        while ((end = session->buffer.indexOf("\r\n")) >= 0) {
            const QByteArray line = session->buffer.left(end);
            session->buffer.remove(0, end + 2);
            const QByteArray reply = answer(*session, line);
            if (!reply.isEmpty())
                socket->write(reply + "\r\n");
            if (reply.startsWith("221"))
                socket->disconnectFromHost();
        }
    });
    socket->write("220 localhost ESMTP loopback\r\n");
}

QByteArray LoopbackSmtpServer::answer(Session& session, const QByteArray& line)
{
    if (session.inData) {
        if (line == ".") {
            session.inData = false;
            QMutexLocker lock(&m_mutex);
            m_messages.append(session.current);
            return "250 2.0.0 queued";
        }
        session.current.data += (line.startsWith("..") ? line.mid(1) : line) + "\r\n";
        return {};
    }
    if (session.awaitingLogin) {
        session.awaitingLogin = false;
        session.current.login = QByteArray::fromBase64(line);
        return "235 2.7.0 authenticated";
    }
    const QByteArray command = line.left(4).toUpper();
    if (command == "EHLO" || command == "HELO")
        return "250-localhost\r\n250-AUTH PLAIN\r\n250 8BITMIME";
    if (command == "AUTH") {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() > 2) {
            session.current.login = QByteArray::fromBase64(words.at(2));
            return "235 2.7.0 authenticated";
        }
        session.awaitingLogin = true;
        return "334 ";
    }
    if (command == "MAIL") {
        const QByteArray login = session.current.login;
        session.current = Message();
        session.current.login = login;
        session.current.sender = between(line, '<', '>');
        return "250 2.1.0 ok";
    }
    if (command == "RCPT") {
        const QByteArray address = between(line, '<', '>');
        QMutexLocker lock(&m_mutex);
        const QByteArray rejection = m_rejections.value(address.toLower());
        if (!rejection.isEmpty())
            return rejection;
        session.current.recipients.append(address);
        return "250 2.1.5 ok";
    }
    if (command == "DATA") {
        session.inData = true;
        return "354 end data with <CR><LF>.<CR><LF>";
    }
    if (command == "RSET" || command == "NOOP")
        return "250 2.0.0 ok";
    if (command == "QUIT")
        return "221 2.0.0 bye";
    return "502 5.5.2 command not recognized";
}

} // namespace vantrel::test
