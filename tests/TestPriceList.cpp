#include "ApplicationTest.h"
#include "BusinessRows.h"
#include "Controls.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "TestFolder.h"
#include "WorkbookFiles.h"

#include "data/BoundView.h"
#include "data/Database.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "products/FormPriceList.h"
#include "ui/Screens.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace vantrel;
using platform::MessageBox;
using products::FormPriceList;
using ui::Screens;

class TestPriceList : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void importButtonShowsOnlyForAShortList();
    void importRewritesPricesTypedPricesStay();
    void importOfAChangedHeadingAddsNothing();
    void searchLooksInTheProductNameOnly();
    void deleteThisRecordAsksFirst();
    void deleteAllDuringASearchDeletesTheShownRecordsOnly();
    void reportFormatsPricesAndColumns();
    void enterInTheNotesStartsNoNewLine();

private:
    FormPriceList* open();
    QStringList column(const QString& sql) const;
    QStringList products() const;
    void search(const QString& text);
    void click(const char* name);
    void clickInDialog(const char* name);
    QPushButton* importButton() const;
    QString lastMessage() const;
    void addProducts();

    test::TestFolder* m_folder = nullptr;
    FormPriceList* m_screen = nullptr;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    platform::RecordingOpener* m_opener = nullptr;
};

void TestPriceList::init()
{
    m_folder = new test::TestFolder;
    m_folder->createDatabases();
    QDir().mkpath("Documents");
    QDir().mkpath("Temp");
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
}

void TestPriceList::cleanup()
{
    Screens::closeAll();
    m_screen = nullptr;
    MessageBox::setHandler(nullptr);
    platform::Desktop::setOpener(nullptr);
    delete m_folder;
}

void TestPriceList::addProducts()
{
    const QList<QStringList> rows = { { "Pump P1", "ZAR", "12.5", "pumps water" },
        { "Pump P2", "ZAR", "20", "" }, { "Valve V1", "USD", "7.25", "pump valve" },
        { "Pump housing", "EUR", "100", "" }, { "Seal S", "ZAR", "abc", "" } };
    for (const QStringList& row : rows)
        test::insertRow("TABLE13",
            { { "TEXT01", row[0] }, { "TEXT03", row[1] }, { "TEXT02", row[2] },
                { "MEMO01", row[3] } });
}

FormPriceList* TestPriceList::open()
{
    m_screen = Screens::bringToFront<FormPriceList>("FormPriceList");
    if (!m_screen)
        qFatal("FormPriceList is not registered");
    m_screen->resize(1000, 700);
    m_screen->show();
    return m_screen;
}

QStringList TestPriceList::column(const QString& sql) const
{
    data::Database db = test::businessDatabase();
    data::QueryResult result;
    if (!db.query(sql, {}, &result))
        qFatal("%s", qPrintable(db.lastError()));
    QStringList values;
    for (const QVariantList& row : std::as_const(result.rows))
        values.append(row.value(0).isNull() ? QStringLiteral("<null>") : row.value(0).toString());
    return values;
}

QStringList TestPriceList::products() const
{
    auto* grid = test::findControl<QTableView>(m_screen, "DBGrid1");
    QStringList values;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        values.append(grid->model()->index(row, 0).data().toString());
    return values;
}

void TestPriceList::search(const QString& text)
{
    auto* box = test::findControl<QLineEdit>(m_screen, "TextSearch");
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

void TestPriceList::click(const char* name)
{
    QTest::mouseClick(test::findControl<QPushButton>(m_screen, name), Qt::LeftButton);
}

void TestPriceList::clickInDialog(const char* name)
{
    QWidget* dialog = Screens::existing("FormPriceListDelete");
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), "Delete");
    QTest::mouseClick(test::findControl<QPushButton>(dialog, name), Qt::LeftButton);
    QTRY_VERIFY(!Screens::existing("FormPriceListDelete"));
}

QPushButton* TestPriceList::importButton() const
{
    return test::findControl<QPushButton>(m_screen, "CommandImport");
}

QString TestPriceList::lastMessage() const
{
    return m_messages->shown.isEmpty() ? QString() : m_messages->shown.last().text;
}

void TestPriceList::importButtonShowsOnlyForAShortList()
{
    test::writeSheet("Prices.xlsx", "PRICES",
        { { "PRODUCT", "CURRENCY", "PRICE", "NOTES" }, { "Pump P1", "ZAR", 12.5, "" },
            { "Pump P2", "ZAR", 20, "" } });
    open();
    QVERIFY(importButton()->isVisible());
    m_messages->answers = { MessageBox::No };
    click("CommandImport");
    QCOMPARE(lastMessage(),
        "Do you want to import the spreadsheet "
            + QDir::toNativeSeparators(m_folder->filePath("Prices.xlsx"))
            + " ? Please note that you can only do this once, unless you first delete all "
              "records.");
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Question);
    QCOMPARE(test::rowCount("TABLE13"), 0);

    m_messages->answers = { MessageBox::Yes };
    click("CommandImport");
    QCOMPARE(test::rowCount("TABLE13"), 2);
    QCOMPARE(m_messages->shown.size(), 2);
    // Hidden the next time the screen becomes active, not at once.
    QVERIFY(importButton()->isVisible());
    Screens::bringToFront("FormPriceList");
    m_screen->screenActivated();
    QVERIFY(!importButton()->isVisible());

    m_messages->answers = { MessageBox::Yes };
    click("CommandDelete");
    clickInDialog("CommandAll");
    QCOMPARE(lastMessage(), "Are you sure toy want to delete all records on the price list?");
    QCOMPARE(test::rowCount("TABLE13"), 0);
    QVERIFY(importButton()->isVisible());
}

void TestPriceList::importRewritesPricesTypedPricesStay()
{
    test::writeSheet("Prices.xlsx", "PRICES",
        { { "NOTES", "PRICE", "PRODUCT", "CURRENCY" }, { "n", 12.5, "Pump P1", "ZAR" },
            { "n", 12.5, "Pump P1", "ZAR" }, { "", "on request", "Pump P9", "ZAR" },
            { "", "7", "Valve", "USD" } });
    open();
    click("CommandNew");
    QTest::keyClicks(test::findControl<QLineEdit>(m_screen, "TEXT01"), "Typed");
    QTest::keyClicks(test::findControl<QLineEdit>(m_screen, "TEXT02"), "12.5");
    click("CommandReset");
    QCOMPARE(column("SELECT TEXT02 FROM TABLE13"), QStringList({ "12.5" }));

    m_messages->answers = { MessageBox::Yes };
    click("CommandImport");
    QVERIFY2(m_messages->shown.size() == 1, qPrintable(lastMessage()));
    QCOMPARE(column("SELECT TEXT01 || '=' || TEXT02 FROM TABLE13 ORDER BY TEXT01"),
        QStringList({ "Pump P1=12.50", "Pump P9=on request", "Typed=12.50", "Valve=7.00" }));
    QCOMPARE(
        column("SELECT COUNT(*) FROM sqlite_master WHERE name = 'Temp'"), QStringList({ "0" }));
    // The price workbook is the user's own; it is left as it was.
    QCOMPARE(test::readSheet("Prices.xlsx").size(), 5);
    QCOMPARE(products(), QStringList({ "Pump P1", "Pump P9", "Typed", "Valve" }));
}

void TestPriceList::importOfAChangedHeadingAddsNothing()
{
    addProducts();
    test::writeSheet("Prices.xlsx", "PRICES",
        { { "PRODUCT", "CURRENCY", "PRICES", "NOTES" }, { "Pump P7", "ZAR", 1, "" } });
    open();
    // The button is hidden for a list this long; the import itself is what is tried here.
    m_messages->answers = { MessageBox::Yes };
    m_screen->importWorkbook();
    QVERIFY(lastMessage().startsWith("There was an error importing competitor's information."));
    QVERIFY(lastMessage().contains("PRICE"));
    QCOMPARE(test::rowCount("TABLE13"), 5);
    QCOMPARE(
        column("SELECT TEXT02 FROM TABLE13 WHERE TEXT01 = 'Pump P1'"), QStringList({ "12.5" }));
    QTRY_VERIFY(!Screens::existing("FormPriceList"));
}

void TestPriceList::searchLooksInTheProductNameOnly()
{
    addProducts();
    open();
    QVERIFY(!importButton()->isVisible());
    search("pump");
    QCOMPARE(products(), QStringList({ "Pump housing", "Pump P1", "Pump P2" }));
    search("ZAR");
    QCOMPARE(products(), QStringList());
    search("water");
    QCOMPARE(products(), QStringList());
    search("'%_");
    QCOMPARE(products(), QStringList());
    QVERIFY(m_messages->shown.isEmpty());
    click("CommandReset");
    QCOMPARE(products().size(), 5);
}

void TestPriceList::deleteThisRecordAsksFirst()
{
    addProducts();
    open();
    m_messages->answers = { MessageBox::No };
    click("CommandDelete");
    clickInDialog("CommandThis");
    QCOMPARE(lastMessage(), "Are you sure toy want to delete Pump housing?");
    QCOMPARE(test::rowCount("TABLE13"), 5);

    m_messages->answers = { MessageBox::Yes };
    click("CommandDelete");
    clickInDialog("CommandThis");
    QCOMPARE(test::rowCount("TABLE13"), 4);
    QCOMPARE(products().first(), "Pump P1");
}

void TestPriceList::deleteAllDuringASearchDeletesTheShownRecordsOnly()
{
    addProducts();
    open();
    search("pump");
    QCOMPARE(products().size(), 3);
    m_messages->answers = { MessageBox::Yes };
    click("CommandDelete");
    clickInDialog("CommandAll");
    QCOMPARE(column("SELECT TEXT01 FROM TABLE13 ORDER BY TEXT01"),
        QStringList({ "Seal S", "Valve V1" }));
    QVERIFY(importButton()->isVisible());
}

void TestPriceList::reportFormatsPricesAndColumns()
{
    addProducts();
    open();
    search("valve");
    click("CommandExcel");
    QVERIFY2(m_messages->shown.isEmpty(), qPrintable(lastMessage()));
    QCOMPARE(m_opener->opened.size(), 1);
    const QString path = m_opener->opened.first().toLocalFile();
    const QList<QVariantList> rows = test::readSheet(path);
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.first(), QVariantList({ "PRODUCT", "CURRENCY", "PRICE", "NOTES" }));
    QCOMPARE(rows.at(1).value(0).toString(), "Pump housing");
    // Prices that are numbers arrive as numbers; the others as they are.
    QCOMPARE(rows.at(2).value(2).toDouble(), 12.5);
    QCOMPARE(rows.at(4).value(2).toString(), "abc");

    const QByteArray sheetXml = test::zipEntry(path, "xl/worksheets/sheet1.xml");
    QVERIFY(test::columnElement(sheetXml, 2).contains("width=\"11.5"));
    QVERIFY(test::columnElement(sheetXml, 1).contains("width=\"25.7"));
    QVERIFY(sheetXml.contains("<autoFilter ref=\"A1:D6\"/>"));
    const QByteArray styles = test::zipEntry(path, "xl/styles.xml");
    QVERIFY2(styles.contains("formatCode=\"0.00\"") || styles.contains("numFmtId=\"2\""),
        styles.constData());
    QVERIFY(styles.contains("wrapText=\"1\""));
    // The caption the spreadsheet program shows for the report.
    QVERIFY(test::zipEntry(path, "docProps/core.xml").contains("<dc:title>Price List</dc:title>"));
}

void TestPriceList::enterInTheNotesStartsNoNewLine()
{
    addProducts();
    open();
    auto* notes = test::findControl<QPlainTextEdit>(m_screen, "MEMO01");
    notes->setFocus();
    QTest::keyClicks(notes, "big");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "ger");
    QCOMPARE(notes->toPlainText(), "bigger");
}

VANTREL_TEST_MAIN(TestPriceList)
#include "TestPriceList.moc"
