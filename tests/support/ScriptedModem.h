#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>

class QSocketNotifier;

namespace vantrel::test {

// An AT modem on the far end of a real pseudo-terminal. The code under test opens
// portName(); the modem collects each command up to its CR and answers with the
// scripted reply for the command's start ("ATQ0E0" -> "OK"), or stays silent.
class ScriptedModem : public QObject {
    Q_OBJECT
public:
    ScriptedModem();
    ~ScriptedModem() override;

    bool isValid() const { return m_master >= 0; }
    QString portName() const { return m_portName; }

    // An empty reply keeps the modem silent for commands starting with `prefix`.
    void answer(const QString& prefix, const QString& reply) { m_replies.insert(prefix, reply); }
    // Closes the terminal on the command starting with `prefix`, as a modem pulled
    // out of its socket.
    void disconnectOn(const QString& prefix) { m_disconnectOn = prefix; }
    QStringList commands() const { return m_commands; }

private:
    void readCommands();
    void disconnect();

    int m_master = -1;
    // Held open so that the terminal survives the other side closing it.
    int m_slave = -1;
    QString m_portName;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_pending;
    QHash<QString, QString> m_replies;
    QStringList m_commands;
    QString m_disconnectOn;
};

} // namespace vantrel::test
