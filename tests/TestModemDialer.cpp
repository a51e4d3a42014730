#include "ApplicationTest.h"
#include "ScriptedModem.h"

#include "companies/ModemDialer.h"
#include "companies/SerialPortNames.h"

#include <QTimer>
#include <QtTest>

#include <map>

using vantrel::companies::ModemDialer;
using vantrel::companies::SerialPortNames;
using vantrel::test::ScriptedModem;

namespace {

const QString pickUp = QStringLiteral("Please pick up the phone THEN click OK");
const QString notFound = QStringLiteral("Modem not found, or Port is open.");

// Ports 1 to 4 on the given modems; a port without one names no device.
struct Line {
    std::map<int, ScriptedModem*> modems;
    QStringList messages;
    ModemDialer::Timing timing { 150, 400, 10 };

    ModemDialer::Outcome dial(const QString& number, int* port = nullptr)
    {
        ModemDialer dialer([this](const QString& message) { messages.append(message); });
        dialer.setPortNames([this](int number) {
            const auto modem = modems.find(number);
            return modem == modems.end() ? QStringLiteral("/nonexistent/ttyVantrel%1").arg(number)
                                         : modem->second->portName();
        });
        dialer.setTiming(timing);
        const ModemDialer::Outcome outcome = dialer.dial(number);
        if (port)
            *port = dialer.port();
        return outcome;
    }
};

} // namespace

class TestModemDialer : public QObject {
    Q_OBJECT

private slots:
    void portsAreTheSerialDevices();
    void dialsOnTheFirstPortThatAnswers();
    void reportsAMissingDialtoneAndHangsUp_data();
    void reportsAMissingDialtoneAndHangsUp();
    void reportsADialThatIsNotConfirmed();
    void reportsAModemLostWhileDialling();
    void findsNoModemOnSilentPorts();
    void stopsSearchingAtAPortThatCannotBeOpened();
    void neverSendsAShortNumber_data();
    void neverSendsAShortNumber();
};

void TestModemDialer::portsAreTheSerialDevices()
{
    QCOMPARE(SerialPortNames::portName(1), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(SerialPortNames::portName(4), QStringLiteral("/dev/ttyS3"));
}

void TestModemDialer::dialsOnTheFirstPortThatAnswers()
{
    ScriptedModem silent;
    ScriptedModem modem;
    QVERIFY(silent.isValid() && modem.isValid());
    modem.answer("ATQ0E0", "OK");
    modem.answer("ATX4&D2DT", "OK");
    Line line;
    line.modems = { { 1, &silent }, { 2, &modem } };

    // The waits keep the event loop running for the windows.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(20);

    int port = 0;
    QCOMPARE(line.dial(" 012 345 678 ", &port), ModemDialer::Outcome::Dialled);
    QCOMPARE(port, 2);
    QCOMPARE(line.messages, QStringList { pickUp });
    QCOMPARE(silent.commands(), QStringList { "ATQ0E0" });
    // The handset keeps the call: no hang-up command after a successful dial.
    QCOMPARE(modem.commands(), (QStringList { "ATQ0E0", "ATX4&D2DT 012 345 678;" }));
    QVERIFY(ticks > 3);
}

void TestModemDialer::reportsAMissingDialtoneAndHangsUp_data()
{
    QTest::addColumn<QString>("reply");
    QTest::newRow("no dialtone") << "NO DIALTONE";
    QTest::newRow("no dial tone") << "NO DIAL TONE";
}

void TestModemDialer::reportsAMissingDialtoneAndHangsUp()
{
    QFETCH(QString, reply);
    ScriptedModem modem;
    QVERIFY(modem.isValid());
    modem.answer("ATQ0E0", "OK");
    modem.answer("ATX4", reply);
    Line line;
    line.modems = { { 1, &modem } };

    QCOMPARE(line.dial("0123456"), ModemDialer::Outcome::NoDialtone);
    QCOMPARE(line.messages,
        QStringList { "No Dialtone detected. Please check the telephone connection." });
    QTRY_COMPARE(modem.commands(), (QStringList { "ATQ0E0", "ATX4&D2DT 0123456;", "ATH0" }));
}

void TestModemDialer::reportsADialThatIsNotConfirmed()
{
    ScriptedModem silent;
    ScriptedModem modem;
    QVERIFY(silent.isValid() && modem.isValid());
    modem.answer("ATQ0E0", "OK");
    Line line;
    line.modems = { { 1, &silent }, { 2, &silent }, { 3, &modem } };

    QCOMPARE(line.dial("0123456"), ModemDialer::Outcome::Failed);
    QCOMPARE(line.messages, QStringList { "Failed on port 3" });
    QTRY_COMPARE(modem.commands(), (QStringList { "ATQ0E0", "ATX4&D2DT 0123456;", "ATH0" }));
}

void TestModemDialer::reportsAModemLostWhileDialling()
{
    ScriptedModem modem;
    QVERIFY(modem.isValid());
    modem.answer("ATQ0E0", "OK");
    modem.disconnectOn("ATX4");
    Line line;
    line.modems = { { 1, &modem } };
    line.timing.dialWait = 10000;

    // The serial error ends the wait at once and is not passed over in silence.
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(line.dial("0123456"), ModemDialer::Outcome::Failed);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(line.messages, QStringList { "Failed on port 1" });
}

void TestModemDialer::findsNoModemOnSilentPorts()
{
    ScriptedModem ports[4];
    Line line;
    for (int number = 1; number <= 4; ++number) {
        QVERIFY(ports[number - 1].isValid());
        line.modems[number] = &ports[number - 1];
    }

    int port = -1;
    QCOMPARE(line.dial("0123456", &port), ModemDialer::Outcome::ModemNotFound);
    QCOMPARE(port, 0);
    QCOMPARE(line.messages, QStringList { notFound });
    for (const ScriptedModem& modem : ports)
        QCOMPARE(modem.commands(), QStringList { "ATQ0E0" });
}

void TestModemDialer::stopsSearchingAtAPortThatCannotBeOpened()
{
    ScriptedModem silent;
    ScriptedModem modem;
    QVERIFY(silent.isValid() && modem.isValid());
    modem.answer("ATQ0E0", "OK");
    Line line;
    line.modems = { { 1, &silent }, { 3, &modem } };

    QCOMPARE(line.dial("0123456"), ModemDialer::Outcome::ModemNotFound);
    QCOMPARE(line.messages, QStringList { notFound });
    QCOMPARE(silent.commands(), QStringList { "ATQ0E0" });
    QVERIFY(modem.commands().isEmpty());
}

void TestModemDialer::neverSendsAShortNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << ""
                           << "Phone number apears to be incorrect. \"\"";
    QTest::newRow("three characters") << "123"
                                      << "Phone number apears to be incorrect. \"123\"";
    QTest::newRow("blanks around two digits") << "  12  "
                                              << "Phone number apears to be incorrect. \"  12  \"";
}

void TestModemDialer::neverSendsAShortNumber()
{
    QFETCH(QString, number);
    QFETCH(QString, message);
    ScriptedModem modem;
    QVERIFY(modem.isValid());
    modem.answer("ATQ0E0", "OK");
    modem.answer("ATX4", "OK");
    Line line;
    line.modems = { { 1, &modem } };

    QCOMPARE(line.dial(number), ModemDialer::Outcome::NumberTooShort);
    QCOMPARE(line.messages, QStringList { message });
    QTest::qWait(50);
    QVERIFY(modem.commands().isEmpty());
}

VANTREL_TEST_MAIN(TestModemDialer)
#include "TestModemDialer.moc"
