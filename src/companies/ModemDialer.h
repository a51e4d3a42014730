#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QSerialPort;

namespace vantrel::companies {

// Dials a number through an AT modem on serial port 1 to 4 so that the user can
// pick up the handset. Every wait runs the event loop, so windows stay responsive.
// Messages go to the notify function, which returns once the user has answered
// (the screen shows them with an OK button and the product name as title).
class ModemDialer {
public:
    enum class Outcome {
        Dialled, // the modem took the number and the port was released
        NumberTooShort, // three characters or fewer; nothing was sent
        NoDialtone,
        Failed, // the modem did not confirm the dial command
        ModemNotFound, // no port answered, or a port could not be opened
    };

    // In milliseconds.
    struct Timing {
        int replyWait = 1000;
        int dialWait = 10000;
        int closePause = 1000;
    };

    static constexpr int firstPort = 1;
    static constexpr int lastPort = 4;

    using Notify = std::function<void(const QString& message)>;
    using PortNames = std::function<QString(int number)>;

    explicit ModemDialer(Notify notify);
    ~ModemDialer();
    ModemDialer(const ModemDialer&) = delete;
    ModemDialer& operator=(const ModemDialer&) = delete;

    // SerialPortNames::portName unless replaced.
    void setPortNames(PortNames portNames) { m_portNames = std::move(portNames); }
    void setTiming(const Timing& timing) { m_timing = timing; }

    Outcome dial(const QString& number);
    // The port the modem answered on in the last dial; 0 when none did.
    int port() const { return m_portNumber; }

private:
    bool findModem();
    bool openPort(int number);
    void closePort();
    bool send(const QByteArray& command);
    // Collects what arrives until it contains one of the texts or the time is up;
    // false on a serial error.
    bool waitFor(const QStringList& expected, int milliseconds, QString* reply);
    void pause(int milliseconds);

    Notify m_notify;
    PortNames m_portNames;
    Timing m_timing;
    std::unique_ptr<QSerialPort> m_port;
    int m_portNumber = 0;
};

} // namespace vantrel::companies
