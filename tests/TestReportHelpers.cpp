#include "ApplicationTest.h"
#include "TestFolder.h"
#include "data/Database.h"
#include "data/SetBasedWork.h"
#include "data/WorkbookReader.h"
#include "data/Worksheet.h"
#include "data/ZipArchive.h"
#include "office/ReportWorkbook.h"
#include "office/SpreadsheetProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace vantrel;

namespace {

QByteArray zipEntry(const QString& path, const QString& entry)
{
    data::ZipArchive zip;
    QString reason;
    QByteArray content;
    if (zip.open(path, &reason))
        zip.read(entry, &content, &reason);
    return content;
}

} // namespace

// The shared pieces behind the list reports and the set-based record walks.
class TestReportHelpers : public QObject {
    Q_OBJECT
private slots:
    void setBasedWorkStoresAllStepsOrNone()
    {
        test::TestFolder folder;
        data::Database db;
        QVERIFY(db.open(
            folder.filePath(QStringLiteral("work.db")), data::Database::OpenMode::CreateIfMissing));
        QVERIFY(db.execute(QStringLiteral("CREATE TABLE T (A INTEGER, B TEXT)")));
        QVERIFY(db.execute(QStringLiteral("INSERT INTO T VALUES (1, 'x'), (2, 'y'), (3, 'z')")));

        QList<int> percents;
        QStringList texts;
        const auto progress = [&](int percent, const QString& text) {
            percents.append(percent);
            texts.append(text);
        };
        const data::SetBasedWork work({ { QStringLiteral("Updating"),
                                            QStringLiteral("UPDATE T SET B = ? WHERE A > ?"),
                                            { QStringLiteral("it's 50%"), 1 } },
            { QStringLiteral("Deleting"), QStringLiteral("DELETE FROM T WHERE A = ?"), { 3 } } });
        QString error;
        QVERIFY2(work.run(db, progress, &error), qPrintable(error));
        QCOMPARE(percents, (QList<int> { 0, 50, 100 }));
        QCOMPARE(texts.first(), QStringLiteral("Updating"));
        QCOMPARE(work.changedRows(), (QList<qint64> { 2, 1 }));
        data::QueryResult rows;
        QVERIFY(db.query(QStringLiteral("SELECT B FROM T ORDER BY A"), {}, &rows));
        QCOMPARE(rows.rows.size(), 2);
        QCOMPARE(rows.rows.at(1).at(0).toString(), QStringLiteral("it's 50%"));

        // A failing step takes the earlier ones back and names itself.
        const data::SetBasedWork failing({ { QStringLiteral("Emptying"),
                                               QStringLiteral("DELETE FROM T"), {} },
            { QStringLiteral("Counting"), QStringLiteral("UPDATE NoSuchTable SET X = 1"), {} } });
        QVERIFY(!failing.run(db, {}, &error));
        QVERIFY2(error.startsWith(QStringLiteral("Counting: ")), qPrintable(error));
        QVERIFY(error.contains(QStringLiteral("NoSuchTable")));
        QVERIFY(db.query(QStringLiteral("SELECT COUNT(*) FROM T"), {}, &rows));
        QCOMPARE(rows.rows.at(0).at(0).toInt(), 2);
    }

    void reportWorkbookIsSavedUnderANewNameAndReadBack()
    {
        test::TestFolder folder;
        QVERIFY(QDir::setCurrent(folder.path()));
        QVERIFY(QDir().mkdir(QStringLiteral("Temp")));

        office::ReportLayout layout;
        layout.columns = { { QStringLiteral("COMPANY"), {}, 0, false, false, {} },
            { QStringLiteral("DATE"), QStringLiteral("mm/dd/yyyy"), 12, false, false,
                office::HorizontalAlignment::Left },
            { QStringLiteral("ACTION STEP"), {}, 50, true, false, {} },
            { QStringLiteral("SECRET"), {}, 0, false, true, {} } };
        const QList<QVariantList> rows { { QStringLiteral("O'Brien & Söhne"), QDate(2026, 12, 9),
                                             QStringLiteral("Call back"), QStringLiteral("x") },
            { QStringLiteral("Acme") } };
        office::Workbook report = office::buildReportWorkbook(layout, rows);
        const office::Sheet& sheet = report.activeSheet();
        QCOMPARE(sheet.style(0, 0).fontName, QStringLiteral("Arial Narrow"));
        QCOMPARE(sheet.style(1, 2).fontSize, 8.0);
        QVERIFY(sheet.style(0, 2).bold);
        QVERIFY(!sheet.style(1, 0).bold);
        QVERIFY(sheet.style(1, 2).wrapText);
        QCOMPARE(sheet.style(1, 1).numberFormat, QStringLiteral("mm/dd/yyyy"));
        QCOMPARE(sheet.columnWidth(2), 50.0);
        QVERIFY(sheet.isColumnHidden(3));
        QCOMPARE(sheet.frozenRows(), 1);
        QCOMPARE(sheet.autoFilterRow(), 0);

        office::SpreadsheetProgram& program = office::SpreadsheetProgram::instance();
        QString first;
        QString second;
        QString error;
        // Showing needs the desktop; saving is what this checks.
        program.saveAndShowReport(&report, &first, &error);
        program.saveAndShowReport(&report, &second, &error);
        QVERIFY2(QFileInfo::exists(first) && QFileInfo::exists(second), qPrintable(error));
        QVERIFY(first != second);

        data::Worksheet read;
        QVERIFY2(data::readWorksheet(first, QString(), &read, &error), qPrintable(error));
        QCOMPARE(read.rows.size(), 3);
        QCOMPARE(read.rows.at(0).at(2).toString(), QStringLiteral("ACTION STEP"));
        QCOMPARE(read.rows.at(1).at(0).toString(), QStringLiteral("O'Brien & Söhne"));
        QCOMPARE(read.rows.at(1).at(1).toDate(), QDate(2026, 12, 9));
        const QByteArray xml = zipEntry(first, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY2(xml.contains("<autoFilter ref=\"A1:D3\"/>"), xml.constData());
        QVERIFY(xml.contains("ySplit=\"1\""));
        QVERIFY(xml.contains("hidden=\"1\""));
    }
};

VANTREL_TEST_MAIN(TestReportHelpers)
#include "TestReportHelpers.moc"
