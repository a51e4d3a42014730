#include "ApplicationTest.h"
#include "TestFolder.h"

#include "companies/CallLog.h"
#include "office/WorkbookLoader.h"
#include "office/WorkbookWriter.h"

#include <QFile>
#include <QtTest>

using vantrel::companies::CallLog;
using vantrel::office::Workbook;

namespace {

const QString logFile = QStringLiteral("BCTelephone.xlsx");

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CallLog::Call call(const QDateTime& when, const QString& number, const QString& company)
{
    return { when, number, "Anna", "O'Neill", company };
}

} // namespace

class TestCallLog : public QObject {
    Q_OBJECT

private slots:
    void newestCallIsOnTop();
    void missingLogIsNotCreated();
    void readOnlyLogStaysAsItWas();
};

void TestCallLog::newestCallIsOnTop()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY2(vantrel::office::writeWorkbook(Workbook(), logFile, &error), qPrintable(error));

    const QDateTime first(QDate(2026, 3, 2), QTime(9, 15, 0));
    const QDateTime second(QDate(2026, 3, 2), QTime(11, 40, 30));
    QVERIFY2(CallLog::log(call(first, "011 555 0101", "Acme"), &error), qPrintable(error));
    QVERIFY2(CallLog::log(call(second, "082 555 0199", "Bolt & Nut"), &error), qPrintable(error));

    Workbook workbook;
    QVERIFY2(vantrel::office::loadWorkbook(logFile, &workbook, &error), qPrintable(error));
    const auto& sheet = workbook.sheet(0);
    QCOMPARE(sheet.rowCount(), 2);
    QCOMPARE(sheet.value(0, 0).toDateTime(), second);
    QCOMPARE(sheet.value(0, 1).toString(), QStringLiteral("082 555 0199"));
    QCOMPARE(sheet.value(0, 2).toString(), QStringLiteral("Anna O'Neill"));
    QCOMPARE(sheet.value(0, 3).toString(), QStringLiteral("Bolt & Nut"));
    QCOMPARE(sheet.value(1, 0).toDateTime(), first);
    QCOMPARE(sheet.value(1, 1).toString(), QStringLiteral("011 555 0101"));
    QCOMPARE(sheet.value(1, 3).toString(), QStringLiteral("Acme"));
}

void TestCallLog::missingLogIsNotCreated()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY(!CallLog::log(call(QDateTime::currentDateTime(), "0123456", "Acme"), &error));
    QVERIFY2(error.contains(logFile) && error.contains("missing"), qPrintable(error));
    QVERIFY(!QFile::exists(logFile));
}

void TestCallLog::readOnlyLogStaysAsItWas()
{
    vantrel::test::TestFolder folder;
    QString error;
    Workbook workbook;
    workbook.sheet(0).setValue(0, 1, QStringLiteral("011 555 0101"));
    QVERIFY2(vantrel::office::writeWorkbook(workbook, logFile, &error), qPrintable(error));
    QVERIFY(QFile::setPermissions(logFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray before = contentOf(logFile);

    QVERIFY(!CallLog::log(call(QDateTime::currentDateTime(), "0123456", "Acme"), &error));
    QVERIFY2(error.startsWith("The call could not be logged") && error.contains("read-only"),
        qPrintable(error));
    QCOMPARE(contentOf(logFile), before);
    QFile::setPermissions(logFile, QFile::ReadOwner | QFile::WriteOwner);
}

VANTREL_TEST_MAIN(TestCallLog)
#include "TestCallLog.moc"
