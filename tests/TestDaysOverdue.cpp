#include "data/DaysOverdue.h"

#include <QTest>

using vantrel::data::daysOverdue;

class TestDaysOverdue : public QObject {
    Q_OBJECT
private slots:
    void rule_data();
    void rule();
};

void TestDaysOverdue::rule_data()
{
    const QDate today(2026, 12, 9);
    QTest::addColumn<QVariant>("lastVisited");
    QTest::addColumn<QVariant>("frequency");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("expected"); // -1: the stored value stays
    QTest::newRow("40 days, every 30")
        << QVariant(today.addDays(-40)) << QVariant(30) << "Company" << 10;
    QTest::newRow("40 days, every 50")
        << QVariant(today.addDays(-40)) << QVariant(50) << "Company" << 0;
    QTest::newRow("exactly due") << QVariant(today.addDays(-30)) << QVariant(30) << "Company" << 0;
    QTest::newRow("one day late") << QVariant(today.addDays(-31)) << QVariant(30) << "Company" << 1;
    QTest::newRow("fraction dropped")
        << QVariant(today.addDays(-40)) << QVariant(30.9) << "Company" << 10;
    QTest::newRow("frequency as text")
        << QVariant(today.addDays(-40)) << QVariant("30") << "Company" << 10;
    QTest::newRow("time of day plays no part")
        << QVariant(QDateTime(today.addDays(-40), QTime(23, 59))) << QVariant(30) << "Company"
        << 10;
    QTest::newRow("frequency 0") << QVariant(today.addDays(-40)) << QVariant(0) << "Company" << 0;
    QTest::newRow("no frequency") << QVariant(today.addDays(-40)) << QVariant() << "Company" << -1;
    QTest::newRow("frequency not a number")
        << QVariant(today.addDays(-40)) << QVariant("abc") << "Company" << -1;
    QTest::newRow("no last visit") << QVariant() << QVariant(30) << "Company" << -1;
    QTest::newRow("archived company")
        << QVariant(today.addDays(-40)) << QVariant(30) << "Archive" << 0;
    QTest::newRow("visit in the future")
        << QVariant(today.addDays(5)) << QVariant(30) << "Company" << 0;
}

void TestDaysOverdue::rule()
{
    QFETCH(QVariant, lastVisited);
    QFETCH(QVariant, frequency);
    QFETCH(QString, state);
    QFETCH(int, expected);
    const auto result = daysOverdue(lastVisited, frequency, state, QDate(2026, 12, 9));
    QCOMPARE(result.has_value(), expected >= 0);
    if (result)
        QCOMPARE(*result, expected);
}

QTEST_GUILESS_MAIN(TestDaysOverdue)
#include "TestDaysOverdue.moc"
