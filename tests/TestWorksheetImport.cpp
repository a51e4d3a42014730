#include "TestFolder.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "data/WorksheetImport.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <xlsxwriter.h>

using namespace vantrel::data;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QStringList declaredTypes(Database& db, const QString& table)
{
    QueryResult result;
    QStringList types;
    if (db.query(QStringLiteral("SELECT type FROM pragma_table_info(?)"), { table }, &result)) {
        for (const QVariantList& row : std::as_const(result.rows))
            types.append(row.value(0).toString());
    }
    return types;
}

qlonglong count(Database& db, const QString& sql, const QVariantList& parameters = {})
{
    return db.scalar(sql, parameters).toLongLong();
}

// The competition register as a user keeps it: the same product twice, once in
// other letter case, a blank line, and a notes column of numbers and text.
void writeCompetitionWorkbook(const QString& path)
{
    lxw_workbook* workbook = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "COMPETITION");
    lxw_format* dateFormat = workbook_add_format(workbook);
    format_set_num_format(dateFormat, "dd.mm.yyyy");
    const char* headings[]
        = { "COMPETITOR'S PRODUCT", "COMPETITOR'S NAME", "EQUIVALENT", "PRICE", "LISTED", "NOTE" };
    for (int column = 0; column < 6; ++column)
        worksheet_write_string(sheet, 0, lxw_col_t(column), headings[column], nullptr);
    struct Row {
        const char* product;
        const char* name;
        const char* equivalent;
        double price;
        lxw_datetime listed;
    };
    const Row rows[] = { { "Pump X200", "Acme Ltd", "Pump P1", 1250.5, { 2023, 5, 17, 0, 0, 0 } },
        { "Valve V9", "Béta GmbH", "Valve K2", 80, { 2021, 1, 2, 0, 0, 0 } },
        { "pump x200", "ACME LTD", "PUMP P1", 1250.5, { 2023, 5, 17, 0, 0, 0 } },
        { "Pump X200", "Acme Ltd", "Pump P1", 1250.5, { 2023, 5, 17, 0, 0, 0 } } };
    lxw_row_t excelRow = 1;
    for (const Row& row : rows) {
        if (excelRow == 3)
            ++excelRow; // a blank line in the middle
        worksheet_write_string(sheet, excelRow, 0, row.product, nullptr);
        worksheet_write_string(sheet, excelRow, 1, row.name, nullptr);
        worksheet_write_string(sheet, excelRow, 2, row.equivalent, nullptr);
        worksheet_write_number(sheet, excelRow, 3, row.price, nullptr);
        lxw_datetime listed = row.listed;
        worksheet_write_datetime(sheet, excelRow, 4, &listed, dateFormat);
        ++excelRow;
    }
    worksheet_write_string(sheet, 1, 5, "ask for a discount", nullptr);
    worksheet_write_number(sheet, 2, 5, 12, nullptr);
    worksheet_write_number(sheet, 4, 5, 0.5, nullptr);
    QCOMPARE(workbook_close(workbook), LXW_NO_ERROR);
}

} // namespace

class TestWorksheetImport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void competitionImportAndDistinctCopy();
    void fixtureWorkbooksImport_data();
    void fixtureWorkbooksImport();
    void salesReplacedWithinOneTransaction();
    void refusedImportsLeaveTheDatabaseAsItWas();
    void largeSheetImportsQuickly();

private:
    std::unique_ptr<vantrel::test::TestFolder> m_folder;
    Database m_db;
};

void TestWorksheetImport::init()
{
    m_folder = std::make_unique<vantrel::test::TestFolder>();
    m_folder->createDatabases();
    QVERIFY2(openBusinessDatabase(m_db), qPrintable(m_db.lastError()));
}

void TestWorksheetImport::cleanup()
{
    m_db.close();
    m_folder.reset();
}

void TestWorksheetImport::competitionImportAndDistinctCopy()
{
    const QString path = m_folder->filePath(QStringLiteral("Competition.xlsx"));
    writeCompetitionWorkbook(path);
    QString error;
    QVERIFY2(
        importWorksheet(m_db, path, QStringLiteral("competition"), QStringLiteral("Temp"), &error),
        qPrintable(error));

    QCOMPARE(m_db.columnNames(QStringLiteral("Temp")),
        QStringList({ QStringLiteral("COMPETITOR'S PRODUCT"), QStringLiteral("COMPETITOR'S NAME"),
            QStringLiteral("EQUIVALENT"), QStringLiteral("PRICE"), QStringLiteral("LISTED"),
            QStringLiteral("NOTE") }));
    QCOMPARE(declaredTypes(m_db, QStringLiteral("Temp")),
        QStringList({ QStringLiteral("TEXT"), QStringLiteral("TEXT"), QStringLiteral("TEXT"),
            QStringLiteral("NUMERIC"), QStringLiteral("DATETEXT"), QStringLiteral("TEXT") }));

    QueryResult rows;
    QVERIFY(m_db.query(
        QStringLiteral("SELECT PRICE, LISTED, NOTE FROM Temp ORDER BY rowid"), {}, &rows));
    QCOMPARE(rows.rows.size(), 4); // the blank line is no record
    QCOMPARE(rows.rows.at(0),
        QVariantList({ 1250.5, QDate(2023, 5, 17), QStringLiteral("ask for a discount") }));
    QCOMPARE(
        rows.rows.at(1), QVariantList({ qlonglong(80), QDate(2021, 1, 2), QStringLiteral("12") }));
    QCOMPARE(rows.rows.at(2), QVariantList({ 1250.5, QDate(2023, 5, 17), QStringLiteral("0.5") }));
    QVERIFY(!rows.rows.at(3).at(2).isValid());
    // Text compares without regard to case, as everywhere in Vantrel.
    QCOMPARE(count(m_db, QStringLiteral("SELECT COUNT(*) FROM Temp WHERE [COMPETITOR'S NAME] = ?"),
                 { QStringLiteral("acme ltd") }),
        3);
    QCOMPARE(count(m_db, QStringLiteral("SELECT COUNT(*) FROM Temp WHERE LISTED > ?"),
                 { QDate(2022, 1, 1) }),
        3);

    QVERIFY2(
        m_db.execute(QStringLiteral(
            "INSERT INTO TABLE11 (TEXT01, TEXT02, TEXT03) SELECT DISTINCT Temp.[COMPETITOR'S "
            "PRODUCT] AS "
            "TEXT01, Temp.[COMPETITOR'S NAME] AS TEXT02, Temp.[EQUIVALENT] AS TEXT03 From Temp")),
        qPrintable(m_db.lastError()));
    QueryResult copied;
    QVERIFY(m_db.query(
        QStringLiteral("SELECT TEXT01, TEXT02, TEXT03 FROM TABLE11 ORDER BY TEXT01"), {}, &copied));
    QCOMPARE(copied.rows,
        QList<QVariantList>({ { QStringLiteral("Pump X200"), QStringLiteral("Acme Ltd"),
                                  QStringLiteral("Pump P1") },
            { QStringLiteral("Valve V9"), QStringLiteral("Béta GmbH"),
                QStringLiteral("Valve K2") } }));
    // Rows already in the register are not looked at: importing again adds them again.
    QVERIFY2(m_db.execute(QStringLiteral(
                 "INSERT INTO TABLE11 (TEXT01, TEXT02, TEXT03) SELECT DISTINCT "
                 "[COMPETITOR'S PRODUCT], [COMPETITOR'S NAME], [EQUIVALENT] FROM Temp")),
        qPrintable(m_db.lastError()));
    QCOMPARE(count(m_db, QStringLiteral("SELECT COUNT(*) FROM TABLE11")), 4);
    QVERIFY(m_db.execute(QStringLiteral("DROP TABLE Temp;")));
}

void TestWorksheetImport::fixtureWorkbooksImport_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("doubledType");
    // FreeXL does not read the cached results of formulas, so in the legacy
    // workbook the formula column arrives empty.
    QTest::newRow("xls") << QStringLiteral("Competition.xls") << QStringLiteral("TEXT");
    QTest::newRow("ods") << QStringLiteral("Competition.ods") << QStringLiteral("NUMERIC");
}

void TestWorksheetImport::fixtureWorkbooksImport()
{
    QFETCH(QString, fileName);
    QFETCH(QString, doubledType);
    const QString path = QStringLiteral(VANTREL_TEST_DATA_DIR "/workbooks/") + fileName;
    QString error;
    QVERIFY2(
        importWorksheet(m_db, path, QStringLiteral("COMPETITION"), QStringLiteral("Temp"), &error),
        qPrintable(error));
    QVERIFY(m_db.execute(QStringLiteral(
        "INSERT INTO TABLE11 (TEXT01, TEXT02, TEXT03) SELECT DISTINCT Temp.[COMPETITOR'S PRODUCT] "
        "AS TEXT01, "
        "Temp.[COMPETITOR'S NAME] AS TEXT02, Temp.[EQUIVALENT] AS TEXT03 From Temp")));
    QCOMPARE(count(m_db, QStringLiteral("SELECT COUNT(*) FROM TABLE11")), 2);
    QCOMPARE(m_db.scalar(QStringLiteral("SELECT LISTED FROM Temp ORDER BY LISTED DESC")),
        QVariant(QDate(2023, 5, 17)));

    QVERIFY2(importWorksheet(m_db, path, QStringLiteral("Notes"), QStringLiteral("Notes"), &error),
        qPrintable(error));
    QCOMPARE(declaredTypes(m_db, QStringLiteral("Notes")),
        QStringList({ QStringLiteral("NUMERIC"), QStringLiteral("NUMERIC"),
            QStringLiteral("NUMERIC"), doubledType }));
    QCOMPARE(count(m_db, QStringLiteral("SELECT SUM(FLAG) FROM Notes")), 1);
}

void TestWorksheetImport::salesReplacedWithinOneTransaction()
{
    Database user;
    QVERIFY(openUserDatabase(user));
    const QString first = m_folder->filePath(QStringLiteral("sales.csv"));
    writeFile(first,
        "ACCOUNT;DATE;AMOUNT;2024\n"
        "00123;2023-01-05;100;x\n"
        "456;2023-03-01;50;\n"
        "00123;2023-02-10;75,5;\n");
    QString error;
    QVERIFY2(importWorksheet(user, first, {}, QStringLiteral("SALES"), &error), qPrintable(error));
    QCOMPARE(user.columnNames(QStringLiteral("SALES")),
        QStringList({ QStringLiteral("ACCOUNT"), QStringLiteral("DATE"), QStringLiteral("AMOUNT"),
            QStringLiteral("2024") }));
    // Account numbers keep their leading zeros, and the company's account selects its rows.
    QueryResult company;
    QVERIFY(user.query(QStringLiteral("SELECT * FROM SALES WHERE ((([SALES].[ACCOUNT]) = ?)) "
                                      "ORDER BY [SALES].[DATE] DESC"),
        { QStringLiteral("00123") }, &company));
    QCOMPARE(company.rows.size(), 2);
    QCOMPARE(company.value(0, QStringLiteral("DATE")), QVariant(QDate(2023, 2, 10)));
    QCOMPARE(company.value(0, QStringLiteral("AMOUNT")), QVariant(QStringLiteral("75,5")));

    // A failed replacement rolls back the drop: the previous figures survive.
    {
        Transaction transaction(user);
        QVERIFY(user.execute(QStringLiteral("DROP TABLE SALES;")));
        QVERIFY(!importWorksheet(
            user, first, QStringLiteral("Sheet1"), QStringLiteral("SALES"), &error));
        QCOMPARE(
            error, QStringLiteral("The workbook '%1' has no worksheet named 'Sheet1'.").arg(first));
    }
    QCOMPARE(count(user, QStringLiteral("SELECT COUNT(*) FROM SALES")), 3);

    const QString second = m_folder->filePath(QStringLiteral("sales2.csv"));
    writeFile(second, "CUSTOMER,WHEN\n9,2024-01-01\n");
    {
        Transaction transaction(user);
        QVERIFY(user.execute(QStringLiteral("DROP TABLE SALES;")));
        QVERIFY2(
            importWorksheet(user, second, {}, QStringLiteral("SALES"), &error), qPrintable(error));
        QVERIFY(transaction.commit());
    }
    QCOMPARE(user.columnNames(QStringLiteral("SALES")),
        QStringList({ QStringLiteral("CUSTOMER"), QStringLiteral("WHEN") }));
}

void TestWorksheetImport::refusedImportsLeaveTheDatabaseAsItWas()
{
    const QString path = m_folder->filePath(QStringLiteral("Competition.xlsx"));
    writeCompetitionWorkbook(path);
    QString error;

    QVERIFY(m_db.execute(QStringLiteral("CREATE TABLE Temp (KEPT TEXT)")));
    QVERIFY(m_db.execute(QStringLiteral("INSERT INTO Temp VALUES ('old')")));
    QVERIFY(!importWorksheet(
        m_db, path, QStringLiteral("COMPETITION"), QStringLiteral("TEMP"), &error));
    QCOMPARE(error,
        QStringLiteral("The database already has a table named 'TEMP'; the worksheet 'COMPETITION' "
                       "was not imported."));
    QCOMPARE(m_db.columnNames(QStringLiteral("Temp")), QStringList { QStringLiteral("KEPT") });
    QCOMPARE(m_db.scalar(QStringLiteral("SELECT KEPT FROM Temp")), QVariant(QStringLiteral("old")));
    QVERIFY(m_db.execute(QStringLiteral("DROP TABLE Temp")));

    const auto refused = [&](const QByteArray& csv) {
        const QString file = m_folder->filePath(QStringLiteral("bad.csv"));
        writeFile(file, csv);
        QString message;
        if (importWorksheet(m_db, file, {}, QStringLiteral("Temp"), &message))
            return QStringLiteral("(imported)");
        if (m_db.tableExists(QStringLiteral("Temp")))
            return QStringLiteral("(table left behind)");
        return message.replace(file, QStringLiteral("FILE"));
    };
    QCOMPARE(refused("COMPETITOR'S PRODUCT,COMPETITOR'S NAME,Competitor's Product\na,b,c\n"),
        QStringLiteral(
            "The worksheet 'bad' of the workbook 'FILE' has the heading 'Competitor's Product' "
            "twice, in columns A and C."));
    QCOMPARE(refused("PRODUCT,,NAME\na,b,c\n"),
        QStringLiteral(
            "The worksheet 'bad' of the workbook 'FILE' has values in column B but no heading "
            "above them."));
    QCOMPARE(refused("\n\n,,\n"),
        QStringLiteral("The worksheet 'bad' of the workbook 'FILE' is empty."));
    QCOMPARE(refused("A,B\n\"never closed\n"),
        QStringLiteral(
            "The file 'FILE' could not be read: the quoted value that starts on line 2 is never "
            "closed."));

    // A heading over an empty column, or none over an empty one, is no fault.
    const QString gaps = m_folder->filePath(QStringLiteral("gaps.csv"));
    writeFile(gaps, "\n  PRODUCT ,,REMARK\nPump,,\n");
    QVERIFY2(importWorksheet(m_db, gaps, {}, QStringLiteral("Temp"), &error), qPrintable(error));
    QCOMPARE(m_db.columnNames(QStringLiteral("Temp")),
        QStringList({ QStringLiteral("PRODUCT"), QStringLiteral("REMARK") }));
    QCOMPARE(declaredTypes(m_db, QStringLiteral("Temp")).value(1), QStringLiteral("TEXT"));
    QVERIFY(m_db.execute(QStringLiteral("DROP TABLE Temp")));

    // The engine failing half way (the disk full) leaves no half table behind.
    QByteArray many = "ITEM,TEXT\n";
    for (int i = 0; i < 20000; ++i)
        many += QByteArray::number(i) + ",some text that fills the pages of the file\n";
    const QString big = m_folder->filePath(QStringLiteral("big.csv"));
    writeFile(big, many);
    const qlonglong pages = count(m_db, QStringLiteral("PRAGMA page_count"));
    QVERIFY(m_db.execute(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + 20)));
    QVERIFY(!importWorksheet(m_db, big, {}, QStringLiteral("Temp"), &error));
    QVERIFY2(error.startsWith(QStringLiteral(
                 "The worksheet 'big' could not be imported: database or disk is full")),
        qPrintable(error));
    QVERIFY(!m_db.tableExists(QStringLiteral("Temp")));
    QVERIFY(m_db.execute(QStringLiteral("PRAGMA max_page_count = 1073741823")));
    QVERIFY2(importWorksheet(m_db, big, {}, QStringLiteral("Temp"), &error), qPrintable(error));
    QCOMPARE(count(m_db, QStringLiteral("SELECT COUNT(*) FROM Temp")), 20000);
}

void TestWorksheetImport::largeSheetImportsQuickly()
{
    const QString path = m_folder->filePath(QStringLiteral("Large.xlsx"));
    lxw_workbook_options options { LXW_TRUE, nullptr, LXW_FALSE };
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Sales");
    for (lxw_col_t column = 0; column < 10; ++column)
        worksheet_write_string(sheet, 0, column,
            QByteArray("COLUMN " + QByteArray::number(column)).constData(), nullptr);
    for (lxw_row_t row = 1; row <= 100000; ++row) {
        for (lxw_col_t column = 0; column < 10; ++column) {
            if (column % 2 == 0)
                worksheet_write_string(sheet, row, column,
                    QByteArray("Text " + QByteArray::number(row)).constData(), nullptr);
            else
                worksheet_write_number(sheet, row, column, row * 1.5 + column, nullptr);
        }
    }
    QCOMPARE(workbook_close(workbook), LXW_NO_ERROR);

    QElapsedTimer timer;
    timer.start();
    QString error;
    QVERIFY2(importWorksheet(m_db, path, QStringLiteral("Sales"), QStringLiteral("Temp"), &error),
        qPrintable(error));
    const qint64 elapsed = timer.elapsed();
    qInfo("100,000 rows of 10 columns imported in %lld ms", elapsed);
    QCOMPARE(count(m_db, QStringLiteral("SELECT COUNT(*) FROM Temp")), 100000);
    QCOMPARE(
        m_db.scalar(QStringLiteral("SELECT [COLUMN 3] FROM Temp WHERE [COLUMN 0] = 'Text 99999'"))
            .toDouble(),
        99999 * 1.5 + 3);
    // Generous for a busy machine; a slow path (row by row transactions) takes minutes.
    // The sanitizers slow every step several times over; the plain build keeps the watch.
#ifndef VANTREL_SANITIZED_TEST
    QVERIFY2(elapsed < 20000, qPrintable(QString::number(elapsed)));
#endif
}

QTEST_GUILESS_MAIN(TestWorksheetImport)
#include "TestWorksheetImport.moc"
