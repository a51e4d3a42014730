#include "ScriptedModem.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace vantrel::test {

ScriptedModem::ScriptedModem()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0)
        return;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        ::close(m_master);
        m_master = -1;
        return;
    }
    m_portName = QString::fromLocal8Bit(ptsname(m_master));
    m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
    if (m_slave >= 0) {
        termios settings {};
        tcgetattr(m_slave, &settings);
        cfmakeraw(&settings);
        tcsetattr(m_slave, TCSANOW, &settings);
    }
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ScriptedModem::readCommands);
}

ScriptedModem::~ScriptedModem()
{
    disconnect();
}

void ScriptedModem::disconnect()
{
    // This may run inside the notifier's own signal.
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = -1;
    m_master = -1;
}

void ScriptedModem::readCommands()
{
    char buffer[256];
    ssize_t count;
    while (m_master >= 0 && (count = ::read(m_master, buffer, sizeof buffer)) > 0)
        m_pending.append(buffer, count);
    int end;
    while ((end = m_pending.indexOf('\r')) >= 0) {
        const QString command = QString::fromLatin1(m_pending.left(end));
        m_pending.remove(0, end + 1);
        m_commands.append(command);
        if (!m_disconnectOn.isEmpty() && command.startsWith(m_disconnectOn)) {
            disconnect();
            return;
        }
        for (auto reply = m_replies.cbegin(); reply != m_replies.cend(); ++reply) {
            if (command.startsWith(reply.key()) && !reply.value().isEmpty()) {
                const QByteArray text = "\r\n" + reply.value().toLatin1() + "\r\n";
                if (::write(m_master, text.constData(), size_t(text.size())) != text.size())
                    qWarning("The scripted modem could not answer %s", qPrintable(command));
                break;
            }
        }
    }
}

} // namespace vantrel::test
