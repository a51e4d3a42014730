#include "ApplicationTest.h"
#include "BusinessRows.h"
#include "Controls.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "RecordingSpreadsheetProgram.h"
#include "TestFolder.h"
#include "WorkbookFiles.h"

#include "data/BoundView.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "office/SpreadsheetProgram.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "products/AttachedDocument.h"
#include "products/FormCompetition.h"
#include "ui/HintLine.h"
#include "ui/Screens.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace vantrel;
using platform::MessageBox;
using products::FormCompetition;
using ui::Screens;

namespace {

const QString headings[] = { "COMPETITOR'S PRODUCT", "COMPETITOR'S NAME", "EQUIVALENT" };

QVariantList headingRow()
{
    return { headings[0], headings[1], headings[2] };
}

} // namespace

class TestCompetition : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensSortedByCompetitorWithPanelsHidden();
    void searchLooksInProductAndEquivalentOnly();
    void searchTextIsTakenLiterally();
    void saveStoresTheNewRecordAndRewritesEverySummary();
    void deleteAsksAndDeletesOnYesOnly();

    void importAddsDistinctRowsOnceAndClearsTheWorkbook();
    void importOfAChangedHeadingAddsNothing();
    void importOfAnUnreadableWorkbookKeepsTheRegister();
    void workbookThatCannotBeClearedIsReportedAsImported();
    void importPromptNamesTheWorkbookAndEditShowsIt();

    void reportHoldsTheWholeRegisterFormatted();
    void documentIsAttachedDetachedAndOpened();
    void documentNameLeavingTheFolderIsRefused();
    void hintsNameTheProduct();

private:
    FormCompetition* open();
    QStringList column(const QString& sql) const;
    QStringList gridColumn(int column) const;
    void search(const QString& text);
    void click(const char* name);
    QString lastMessage() const;

    test::TestFolder* m_folder = nullptr;
    FormCompetition* m_screen = nullptr;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    platform::RecordingOpener* m_opener = nullptr;
};

void TestCompetition::init()
{
    m_folder = new test::TestFolder;
    m_folder->createDatabases();
    QDir().mkpath("Documents");
    QDir().mkpath("Temp");
    test::writeSheet("Competition.xlsx", "COMPETITION", { headingRow() });
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
    test::insertRow("TABLE11",
        { { "TEXT01", "Vane pump V2" }, { "TEXT02", "Hydra" }, { "TEXT03", "Our VP-20" } });
    test::insertRow("TABLE11",
        { { "TEXT01", "Valve 40" }, { "TEXT02", "Pumpworks" }, { "TEXT03", "Our V-40" } });
    test::insertRow(
        "TABLE11", { { "TEXT01", "Seal kit" }, { "TEXT02", "Acme" }, { "TEXT03", "Pump seal S" } });
}

void TestCompetition::cleanup()
{
    Screens::closeAll();
    m_screen = nullptr;
    MessageBox::setHandler(nullptr);
    platform::Desktop::setOpener(nullptr);
    office::SpreadsheetProgram::setInstance(nullptr);
    delete m_folder;
}

FormCompetition* TestCompetition::open()
{
    m_screen = Screens::bringToFront<FormCompetition>("FormCompetition");
    if (!m_screen)
        qFatal("FormCompetition is not registered");
    m_screen->resize(1000, 700);
    m_screen->show();
    return m_screen;
}

QStringList TestCompetition::column(const QString& sql) const
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

QStringList TestCompetition::gridColumn(int column) const
{
    auto* grid = test::findControl<QTableView>(m_screen, "DBGrid1");
    QStringList values;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        values.append(grid->model()->index(row, column).data().toString());
    return values;
}

void TestCompetition::search(const QString& text)
{
    auto* box = test::findControl<QLineEdit>(m_screen, "TextSearch");
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

void TestCompetition::click(const char* name)
{
    QTest::mouseClick(test::findControl<QPushButton>(m_screen, name), Qt::LeftButton);
}

QString TestCompetition::lastMessage() const
{
    return m_messages->shown.isEmpty() ? QString() : m_messages->shown.last().text;
}

void TestCompetition::opensSortedByCompetitorWithPanelsHidden()
{
    open();
    QCOMPARE(gridColumn(0), QStringList({ "Acme", "Hydra", "Pumpworks" }));
    auto* grid = test::findControl<QTableView>(m_screen, "DBGrid1");
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), "Competitor's Product");
    QCOMPARE(test::findControl<QLineEdit>(m_screen, "TextSearch")->text(), "Search For...");
    QVERIFY(!test::findControl<QGroupBox>(m_screen, "Frame1")->isVisible());
    QVERIFY(!test::findControl<QListWidget>(m_screen, "File1")->isVisible());
    QVERIFY(!test::findControl<QToolButton>(m_screen, "Image1")->isVisible());
    QCOMPARE(test::findControl<QLineEdit>(m_screen, "TextCompetitor")->text(), "Acme");
}

void TestCompetition::searchLooksInProductAndEquivalentOnly()
{
    open();
    auto* box = test::findControl<QLineEdit>(m_screen, "TextSearch");
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(box->text(), QString());

    // Pumpworks sells no pump: its name alone does not count.
    search("PUMP");
    QCOMPARE(gridColumn(1), QStringList({ "Seal kit", "Vane pump V2" }));

    click("CommandReset");
    QCOMPARE(gridColumn(0).size(), 3);
    QCOMPARE(box->text(), QString());
}

void TestCompetition::searchTextIsTakenLiterally()
{
    test::insertRow(
        "TABLE11", { { "TEXT01", "O'Brien 50% [max]_*" }, { "TEXT02", "Zed" }, { "TEXT03", "-" } });
    open();
    for (const QString& text : QStringList { "O'Brien", "50%", "[max]", "]_*", "%", "_" }) {
        search(text);
        QVERIFY2(m_messages->shown.isEmpty(), qPrintable(lastMessage()));
        QCOMPARE(gridColumn(1), QStringList({ "O'Brien 50% [max]_*" }));
    }
    search("V*2");
    QCOMPARE(gridColumn(1), QStringList());
}

void TestCompetition::saveStoresTheNewRecordAndRewritesEverySummary()
{
    open();
    search("valve");
    click("CommandNew");
    QTest::keyClicks(test::findControl<QLineEdit>(m_screen, "TextProduct"), "X");
    QTest::keyClicks(test::findControl<QLineEdit>(m_screen, "TextCompetitor"), "Y");
    QTest::keyClicks(test::findControl<QPlainTextEdit>(m_screen, "TextNotes"), "call back");
    click("CommandSave");

    QVERIFY2(m_messages->shown.isEmpty(), qPrintable(lastMessage()));
    QCOMPARE(gridColumn(0), QStringList({ "Acme", "Hydra", "Pumpworks", "Y" }));
    QCOMPARE(column("SELECT TEXT04 FROM TABLE11 ORDER BY TEXT02"),
        QStringList({ "Seal kit From: Acme", "Vane pump V2 From: Hydra", "Valve 40 From: Pumpworks",
            "X From: Y" }));
    QCOMPARE(column("SELECT MEMO01 FROM TABLE11 WHERE TEXT01 = 'X'"), QStringList({ "call back" }));
    QCOMPARE(m_screen->records()->position(), 0);

    // A record without a competitor still gets a readable summary.
    click("CommandNew");
    QTest::keyClicks(test::findControl<QLineEdit>(m_screen, "TextProduct"), "Lone");
    click("CommandSave");
    QCOMPARE(
        column("SELECT TEXT04 FROM TABLE11 WHERE TEXT01 = 'Lone'"), QStringList({ "Lone From: " }));
}

void TestCompetition::deleteAsksAndDeletesOnYesOnly()
{
    open();
    m_messages->answers = { MessageBox::No };
    click("CommandDelete");
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(lastMessage(), "Are you sure toy want to delete Seal kit?");
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Warning);
    QCOMPARE(test::rowCount("TABLE11"), 3);

    m_messages->answers = { MessageBox::Yes };
    click("CommandDelete");
    QCOMPARE(test::rowCount("TABLE11"), 2);
    QCOMPARE(gridColumn(0), QStringList({ "Hydra", "Pumpworks" }));

    // An empty register has nothing to ask about.
    m_messages->answers = { MessageBox::Yes, MessageBox::Yes };
    click("CommandDelete");
    click("CommandDelete");
    const int asked = int(m_messages->shown.size());
    click("CommandDelete");
    QCOMPARE(m_messages->shown.size(), asked);
    QCOMPARE(test::rowCount("TABLE11"), 0);
}

void TestCompetition::importAddsDistinctRowsOnceAndClearsTheWorkbook()
{
    test::writeSheet("Competition.xlsx", "COMPETITION",
        { { "NOTES", headings[0], headings[1], headings[2] },
            { "ignored", "Gear pump G1", "Hydra", "Our GP-1" },
            { "ignored", "Gear pump G1", "Hydra", "Our GP-1" },
            { "other", "Vane pump V2", "Hydra", "Our VP-20" }, { "", "Filter F", "Acme", 42 } });
    open();
    click("CommandImport");
    click("CommandImport2");

    QCOMPARE(lastMessage(),
        "Competitor's information has been imported successfully.\r\n"
        "The information will now be updated and saved.");
    // The duplicate row arrives once; a row the register holds already comes again.
    QCOMPARE(column("SELECT TEXT01 FROM TABLE11 ORDER BY TEXT01, AUTONUMBER"),
        QStringList({ "Filter F", "Gear pump G1", "Seal kit", "Valve 40", "Vane pump V2",
            "Vane pump V2" }));
    QCOMPARE(column("SELECT TEXT03 FROM TABLE11 WHERE TEXT01 = 'Filter F'"), QStringList({ "42" }));
    QCOMPARE(column("SELECT TEXT04 FROM TABLE11 WHERE TEXT01 = 'Gear pump G1'"),
        QStringList({ "Gear pump G1 From: Hydra" }));
    QCOMPARE(
        column("SELECT COUNT(*) FROM sqlite_master WHERE name = 'Temp'"), QStringList({ "0" }));

    const QList<QVariantList> left = test::readSheet("Competition.xlsx", "COMPETITION");
    QCOMPARE(left.size(), 1);
    QCOMPARE(left.first().value(1).toString(), headings[0]);
    QVERIFY(test::zipEntry("Competition.xlsx", "xl/styles.xml").contains("<b/>"));

    QVERIFY(Screens::existing("FormCompetition"));
    QCOMPARE(gridColumn(1).size(), 6);
    QVERIFY(test::findControl<QWidget>(m_screen, "TextProduct")->isVisible());
}

void TestCompetition::importOfAChangedHeadingAddsNothing()
{
    test::writeSheet("Competition.xlsx", "COMPETITION",
        { { headings[0], "COMPETITORS NAME", headings[2] }, { "Gear pump G1", "Hydra", "GP" } });
    open();
    click("CommandImport");
    click("CommandImport2");

    QVERIFY(lastMessage().startsWith(
        "There was an error importing competitor's information.\r\n"
        "This error could have been caused by the following:\r\n\r\n"
        "You changed the headers in the MS-Excel spreadsheet.\r\n"
        "You did not save the spreadsheet in MS-Excel 2000-2003 (.xls)format.\r\n"
        "You moved the speadsheet from its original location."));
    QVERIFY2(lastMessage().contains("COMPETITOR'S NAME"), qPrintable(lastMessage()));
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Critical);
    QCOMPARE(test::rowCount("TABLE11"), 3);
    QCOMPARE(
        column("SELECT COUNT(*) FROM sqlite_master WHERE name = 'Temp'"), QStringList({ "0" }));
    // The rows stay in the workbook for the user to mend.
    QCOMPARE(test::readSheet("Competition.xlsx").size(), 2);
    QTRY_VERIFY(!Screens::existing("FormCompetition"));
}

void TestCompetition::importOfAnUnreadableWorkbookKeepsTheRegister()
{
    QFile::remove("Competition.xlsx");
    QFile broken("Competition.xlsx");
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("PK\x03\x04 not really a workbook");
    broken.close();
    open();
    click("CommandImport");
    click("CommandImport2");
    QVERIFY(lastMessage().startsWith("There was an error importing competitor's information."));
    QCOMPARE(test::rowCount("TABLE11"), 3);
    QCOMPARE(
        column("SELECT COUNT(*) FROM sqlite_master WHERE name = 'Temp'"), QStringList({ "0" }));
}

void TestCompetition::workbookThatCannotBeClearedIsReportedAsImported()
{
    test::writeSheet(
        "Competition.xlsx", "COMPETITION", { headingRow(), { "Gear pump G1", "Hydra", "GP" } });
    auto program = std::make_unique<office::RecordingSpreadsheetProgram>();
    program->failure = "The workbook is locked by another user.";
    office::SpreadsheetProgram::setInstance(std::move(program));
    open();
    click("CommandImport");
    click("CommandImport2");

    QVERIFY2(lastMessage().startsWith("Competitor's information has been imported, but the "
                                      "spreadsheet "),
        qPrintable(lastMessage()));
    QVERIFY(lastMessage().contains("The workbook is locked by another user."));
    QCOMPARE(test::rowCount("TABLE11"), 4);
    QCOMPARE(column("SELECT TEXT04 FROM TABLE11 WHERE TEXT01 = 'Gear pump G1'"),
        QStringList({ "Gear pump G1 From: Hydra" }));
    QVERIFY(Screens::existing("FormCompetition"));
}

void TestCompetition::importPromptNamesTheWorkbookAndEditShowsIt()
{
    open();
    click("CommandImport");
    auto* prompt = test::findControl<QGroupBox>(m_screen, "Frame1");
    QVERIFY(prompt->isVisible());
    QVERIFY(!test::findControl<QWidget>(m_screen, "TextProduct")->isVisible());
    QCOMPARE(test::findControl<QLabel>(m_screen, "LabelImport")->text(),
        "Do you want to edit or import the spreadsheet "
            + QDir::toNativeSeparators(m_folder->filePath("Competition.xlsx")) + " ?");

    click("CommandEdit");
    QVERIFY(!prompt->isVisible());
    QVERIFY(test::findControl<QWidget>(m_screen, "TextProduct")->isVisible());
    QCOMPARE(m_opener->opened.size(), 1);
    QCOMPARE(QFileInfo(m_opener->opened.first().toLocalFile()).canonicalFilePath(),
        QFileInfo(m_folder->filePath("Competition.xlsx")).canonicalFilePath());

    // A missing workbook is said in a message, and the boxes come back.
    QFile::remove("Competition.xlsx");
    click("CommandImport");
    click("CommandEdit");
    QVERIFY(lastMessage().contains("Competition.xlsx"));
    QVERIFY(!prompt->isVisible());
}

void TestCompetition::reportHoldsTheWholeRegisterFormatted()
{
    open();
    search("pump");
    click("CommandExcel");
    click("CommandExcel");
    QVERIFY2(m_messages->shown.isEmpty(), qPrintable(lastMessage()));
    QCOMPARE(m_opener->opened.size(), 2);
    const QString first = m_opener->opened.at(0).toLocalFile();
    const QString second = m_opener->opened.at(1).toLocalFile();
    QVERIFY(first != second);
    for (const QString& path : { first, second }) {
        QVERIFY2(QRegularExpression("/Temp/Report [1-9][0-9]{5}\\.xlsx$").match(path).hasMatch(),
            qPrintable(path));
        QVERIFY(QFileInfo::exists(path));
    }

    const QList<QVariantList> rows = test::readSheet(first);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(0), QVariantList({ "COMPETITOR'S PRODUCT", "SUPPLIER", "EQUIVALENT" }));
    // The whole register, whatever the search, by product.
    QCOMPARE(rows.at(1).value(0).toString(), "Seal kit");
    QCOMPARE(rows.at(2).value(0).toString(), "Valve 40");
    QCOMPARE(rows.at(3).value(1).toString(), "Hydra");

    const QByteArray sheetXml = test::zipEntry(first, "xl/worksheets/sheet1.xml");
    QVERIFY2(sheetXml.contains("<autoFilter ref=\"A1:C4\"/>"), sheetXml.constData());
    for (int column = 1; column <= 3; ++column)
        QVERIFY2(test::columnElement(sheetXml, column).contains("width=\"25.7"),
            qPrintable(test::columnElement(sheetXml, column)));
    const QByteArray styles = test::zipEntry(first, "xl/styles.xml");
    QVERIFY(styles.contains("<name val=\"Calibri\"/>"));
    QVERIFY(styles.contains("<sz val=\"9\"/>"));
    QVERIFY(styles.contains("<b/>"));
}

void TestCompetition::documentIsAttachedDetachedAndOpened()
{
    QFile file("Documents/Datasheet VP.pdf");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QFile other("Documents/Another.txt");
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    open();
    auto* add = test::findControl<QPushButton>(m_screen, "CommandAdd");
    auto* list = test::findControl<QListWidget>(m_screen, "File1");
    auto* icon = test::findControl<QToolButton>(m_screen, "Image1");
    auto* heading = test::findControl<QLabel>(m_screen, "LabelTechnical");
    QCOMPARE(add->text(), "&Add");

    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(heading->text(), "Select Document...");
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 2);
    QListWidgetItem* item = list->findItems("Datasheet VP.pdf", Qt::MatchExactly).value(0);
    QVERIFY(item);
    list->setCurrentItem(item);
    emit list->itemClicked(item);
    QVERIFY(!list->isVisible());
    QCOMPARE(heading->text(), "Attached Document");
    QVERIFY(icon->isVisible());
    QCOMPARE(add->text(), "&Delete");
    click("CommandSave");
    QCOMPARE(column("SELECT TEXT05 FROM TABLE11 WHERE TEXT01 = 'Seal kit'"),
        QStringList({ "Datasheet VP.pdf" }));

    QTest::mouseClick(icon, Qt::LeftButton);
    QCOMPARE(m_opener->opened.size(), 1);
    QVERIFY(m_opener->opened.first().toLocalFile().endsWith("/Documents/Datasheet VP.pdf"));

    // Another record has no document.
    m_screen->records()->moveNext();
    QVERIFY(!icon->isVisible());
    QCOMPARE(add->text(), "&Add");
    m_screen->records()->moveFirst();
    QVERIFY(icon->isVisible());

    QTest::mouseClick(add, Qt::LeftButton);
    QVERIFY(!icon->isVisible());
    QCOMPARE(add->text(), "&Add");
    click("CommandSave");
    QCOMPARE(
        column("SELECT TEXT05 FROM TABLE11 WHERE TEXT01 = 'Seal kit'"), QStringList({ "<null>" }));
    QVERIFY(QFileInfo::exists("Documents/Datasheet VP.pdf"));
    QVERIFY2(m_messages->shown.isEmpty(), qPrintable(lastMessage()));
}

void TestCompetition::documentNameLeavingTheFolderIsRefused()
{
    QFile outside("CONTACT-copy.txt");
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.close();
    data::Database db = test::businessDatabase();
    QVERIFY(db.execute("UPDATE TABLE11 SET TEXT05 = '../CONTACT-copy.txt' WHERE TEXT02 = 'Acme'"));
    QVERIFY(db.execute("UPDATE TABLE11 SET TEXT05 = '/etc/passwd' WHERE TEXT02 = 'Hydra'"));
    open();
    auto* icon = test::findControl<QToolButton>(m_screen, "Image1");
    for (int record = 0; record < 2; ++record) {
        m_screen->records()->moveTo(record);
        QTest::mouseClick(icon, Qt::LeftButton);
        QVERIFY(m_opener->opened.isEmpty());
        QVERIFY2(lastMessage().contains("is not a file of the Documents folder"),
            qPrintable(lastMessage()));
    }
    QVERIFY(!products::AttachedDocument::isBareDocumentName("a\\..\\..\\b"));
    QVERIFY(products::AttachedDocument::isBareDocumentName("Data sheet.pdf"));
}

void TestCompetition::hintsNameTheProduct()
{
    open();
    auto* label = test::findControl<QLabel>(m_screen, "LabelHelp");
    auto hintOf = [&](QWidget* control) {
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(control, &enter);
        return label->text();
    };
    QCOMPARE(hintOf(test::findControl<QPushButton>(m_screen, "CommandAdd")),
        "Attach a document such as a data sheet to Seal kit");
    QCOMPARE(hintOf(test::findControl<QLineEdit>(m_screen, "TextSearch")),
        "Enter text or partial text of a product and press 'Enter'.");
    QCOMPARE(hintOf(test::findControl<QPushButton>(m_screen, "CommandImport")),
        "Import competitor's information. Press F1 for help.");
}

VANTREL_TEST_MAIN(TestCompetition)
#include "TestCompetition.moc"
