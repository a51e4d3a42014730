#include "companies/ModemDialer.h"

#include "companies/SerialPortNames.h"

#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

namespace vantrel::companies {

namespace {

const QString ok = QStringLiteral("OK");
const QString noDialtone = QStringLiteral("NO DIALTONE");
const QString noDialTone = QStringLiteral("NO DIAL TONE");

} // namespace

ModemDialer::ModemDialer(Notify notify)
    : m_notify(std::move(notify))
    , m_portNames(&SerialPortNames::portName)
{
}

ModemDialer::~ModemDialer()
{
    if (m_port)
        m_port->close();
}

ModemDialer::Outcome ModemDialer::dial(const QString& number)
{
    m_portNumber = 0;
    // A number of blanks only would take the line off the hook and dial nothing.
    const QString digits = number.trimmed();
    if (digits.size() <= 3) {
        m_notify(QStringLiteral("Phone number apears to be incorrect. \"%1\"").arg(number));
        return Outcome::NumberTooShort;
    }

    Outcome outcome = Outcome::ModemNotFound;
    if (findModem()) {
        m_port->clear(QSerialPort::Input);
        QString reply;
        const bool answered = send("ATX4&D2DT " + digits.toLatin1() + ";\r")
            && waitFor({ ok, noDialtone, noDialTone }, m_timing.dialWait, &reply);
        if (answered && reply.contains(ok)) {
            m_notify(QStringLiteral("Please pick up the phone THEN click OK"));
            // Releasing the port hangs the modem up; the handset keeps the call.
            closePort();
            outcome = Outcome::Dialled;
        }
        else if (answered && (reply.contains(noDialtone) || reply.contains(noDialTone))) {
            m_notify(
                QStringLiteral("No Dialtone detected. Please check the telephone connection."));
            outcome = Outcome::NoDialtone;
        }
        else {
            m_notify(QStringLiteral("Failed on port %1").arg(m_portNumber));
            outcome = Outcome::Failed;
        }
    }

    if (m_port && m_port->isOpen()) {
        send("ATH0\r");
        closePort();
    }
    if (m_portNumber == 0)
        m_notify(QStringLiteral("Modem not found, or Port is open."));
    return outcome;
}

// A port that cannot be opened ends the search, as the message "Modem not found,
// or Port is open." tells the user.
bool ModemDialer::findModem()
{
    for (int number = firstPort; number <= lastPort; ++number) {
        if (!openPort(number))
            return false;
        m_port->clear(QSerialPort::Input);
        QString reply;
        if (!send("ATQ0E0\r") || !waitFor({ ok }, m_timing.replyWait, &reply))
            return false;
        if (reply.contains(ok)) {
            m_portNumber = number;
            return true;
        }
        closePort();
    }
    return false;
}

bool ModemDialer::openPort(int number)
{
    m_port = std::make_unique<QSerialPort>(m_portNames(number));
    m_port->setBaudRate(300);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    return m_port->open(QIODevice::ReadWrite);
}

// The modem needs the pause before the port is opened again.
void ModemDialer::closePort()
{
    m_port->close();
    pause(m_timing.closePause);
}

bool ModemDialer::send(const QByteArray& command)
{
    if (m_port->write(command) != command.size())
        return false;
    m_port->flush();
    return m_port->bytesToWrite() == 0 || m_port->waitForBytesWritten(m_timing.replyWait);
}

bool ModemDialer::waitFor(const QStringList& expected, int milliseconds, QString* reply)
{
    const auto arrived = [&expected, reply] {
        for (const QString& text : expected) {
            if (reply->contains(text))
                return true;
        }
        return false;
    };
    bool failed = false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(m_port.get(), &QSerialPort::readyRead, &loop, [this, reply, &arrived, &loop] {
        reply->append(QString::fromLatin1(m_port->readAll()));
        if (arrived())
            loop.quit();
    });
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred, &loop,
        [&failed, &loop](QSerialPort::SerialPortError error) {
            if (error != QSerialPort::NoError) {
                failed = true;
                loop.quit();
            }
        });
    reply->append(QString::fromLatin1(m_port->readAll()));
    if (!arrived()) {
        timer.start(milliseconds);
        loop.exec();
    }
    return !failed;
}

void ModemDialer::pause(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace vantrel::companies
