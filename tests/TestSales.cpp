#include "ApplicationTest.h"
#include "Controls.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "ShellFakes.h"
#include "TestFolder.h"
#include "WorkbookFiles.h"

#include "data/BoundView.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "products/FormAllSales.h"
#include "products/FormImportSales.h"
#include "products/FormSales.h"
#include "products/SalesFigures.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace vantrel;
using platform::MessageBox;
using products::FormImportSales;
using products::FormSales;
using ui::RecordViews;
using ui::Screens;

class TestSales : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void importNeedsEveryField();
    void importButtonFollowsThePathAndColumns();
    void importReplacesTheTableAndKeepsTheSettings();
    void failedImportKeepsTheFiguresBefore();
    void companyShowsItsRowsLatestFirst();
    void companyWithoutFiguresShowsAnEmptyGrid();
    void withoutImportTheUserIsSentToTheImport();
    void companyReportIsOfTheCurrentCompany();
    void allSalesReportIsFilteredFrozenAndSorted();

private:
    void writeFigures(const QString& path, int rows);
    FormImportSales* openImport();
    void fill(const char* name, const QString& text);
    void importFigures(const QString& path, const QString& sheet = "Sales");
    QStringList gridColumn(QWidget* screen, int column) const;
    int salesRows() const;
    QString lastMessage() const;

    test::TestFolder* m_folder = nullptr;
    FormImportSales* m_import = nullptr;
    test::FakeCompanyScreen* m_company = nullptr;
    test::FakeCompanyScreen* m_archive = nullptr;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    platform::RecordingOpener* m_opener = nullptr;
};

void TestSales::init()
{
    m_folder = new test::TestFolder;
    m_folder->createDatabases();
    QDir().mkpath("Temp");
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
    Screens::registerScreen("FormCompanies", [] { return new test::FakeCompanyScreen; });
    Screens::registerScreen("FormArchive", [] { return new test::FakeCompanyScreen; });
    m_company = Screens::instance<test::FakeCompanyScreen>("FormCompanies");
    m_company->standOn(1, "Acme", "A-1");
    m_archive = Screens::instance<test::FakeCompanyScreen>("FormArchive");
    m_archive->standOn(2, "Bolt", "B-2");
}

void TestSales::cleanup()
{
    Screens::closeAll();
    m_import = nullptr;
    MessageBox::setHandler(nullptr);
    platform::Desktop::setOpener(nullptr);
    delete m_folder;
}

// A-1 sells on odd rows, B-2 on even ones; row n is dated n days after New Year.
void TestSales::writeFigures(const QString& path, int rows)
{
    QList<QVariantList> sheet { { "Account No", "Sale Date", "Amount", "[Note]" } };
    for (int row = 1; row <= rows; ++row)
        sheet.append({ row % 2 ? "A-1" : "B-2", QDate(2026, 1, 1).addDays(row), row * 10.5,
            QString("n%1").arg(row) });
    test::writeSheet(path, "Sales", sheet);
}

FormImportSales* TestSales::openImport()
{
    m_import = Screens::bringToFront<FormImportSales>("FormImportSales");
    if (!m_import)
        qFatal("FormImportSales is not registered");
    m_import->resize(800, 600);
    m_import->show();
    return m_import;
}

void TestSales::fill(const char* name, const QString& text)
{
    auto* box = test::findControl<QLineEdit>(m_import, name);
    box->selectAll();
    box->del();
    QTest::keyClicks(box, text);
}

void TestSales::importFigures(const QString& path, const QString& sheet)
{
    openImport();
    m_import->chooseWorkbook(path);
    fill("TextDate", "Sale Date");
    fill("TextAC", "Account No");
    fill("TextSheet", sheet);
    QTest::mouseClick(test::findControl<QPushButton>(m_import, "CommandImport"), Qt::LeftButton);
}

QStringList TestSales::gridColumn(QWidget* screen, int column) const
{
    auto* grid = test::findControl<QTableView>(screen, "DBGrid1");
    QStringList values;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        values.append(grid->model()->index(row, column).data().toString());
    return values;
}

int TestSales::salesRows() const
{
    data::Database user;
    if (!data::openUserDatabase(user))
        qFatal("no User.mdb");
    return user.scalar("SELECT COUNT(*) FROM SALES").toInt();
}

QString TestSales::lastMessage() const
{
    return m_messages->shown.isEmpty() ? QString() : m_messages->shown.last().text;
}

void TestSales::importNeedsEveryField()
{
    writeFigures("figures.xlsx", 4);
    openImport();
    m_import->chooseWorkbook(m_folder->filePath("figures.xlsx"));
    fill("TextDate", "Sale Date");
    fill("TextAC", "Account No");
    auto* import = test::findControl<QPushButton>(m_import, "CommandImport");
    QVERIFY(import->isEnabled());
    QTest::mouseClick(import, Qt::LeftButton);
    QCOMPARE(lastMessage(), "You must complete all fields!");
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Information);
    data::Database user;
    QVERIFY(data::openUserDatabase(user));
    QVERIFY(!user.tableExists("SALES"));
}

void TestSales::importButtonFollowsThePathAndColumns()
{
    openImport();
    auto* import = test::findControl<QPushButton>(m_import, "CommandImport");
    auto* open = test::findControl<QPushButton>(m_import, "CommandOpen");
    QVERIFY(!import->isEnabled());
    QVERIFY(!open->isEnabled());
    fill("TextDate", "Sale Date");
    fill("TextAC", "Account No");
    QVERIFY(!import->isEnabled());
    m_import->chooseWorkbook(m_folder->filePath("figures.xlsx"));
    QVERIFY(import->isEnabled());
    fill("TextAC", "");
    QVERIFY(!import->isEnabled());

    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(test::findControl<QLineEdit>(m_import, "TextSheet"), &enter);
    QVERIFY(open->isEnabled());
}

void TestSales::importReplacesTheTableAndKeepsTheSettings()
{
    writeFigures("figures.xlsx", 6);
    importFigures(m_folder->filePath("figures.xlsx"), "Sales$");
    QCOMPARE(lastMessage(), "Sales figures have been imported successfully");
    QCOMPARE(salesRows(), 6);
    importFigures(m_folder->filePath("figures.xlsx"));
    QCOMPARE(salesRows(), 6);

    // The settings come back on the next visit.
    Screens::close("FormImportSales");
    openImport();
    QCOMPARE(test::findControl<QLineEdit>(m_import, "TextAC")->text(), "Account No");
    QCOMPARE(test::findControl<QLineEdit>(m_import, "TextSheet")->text(), "Sales");
    QCOMPARE(QDir::fromNativeSeparators(test::findControl<QLineEdit>(m_import, "TextPath")->text()),
        m_folder->filePath("figures.xlsx"));
    data::Database user;
    QVERIFY(data::openUserDatabase(user));
    QVERIFY(user.scalar("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = "
                        "'SALES'")
                .toInt()
        >= 1);
}

void TestSales::failedImportKeepsTheFiguresBefore()
{
    writeFigures("figures.xlsx", 6);
    importFigures(m_folder->filePath("figures.xlsx"));
    QCOMPARE(salesRows(), 6);

    writeFigures("figures.xlsx", 9);
    importFigures(m_folder->filePath("figures.xlsx"), "Turnover");
    QVERIFY2(lastMessage().startsWith("Your sales figures could not be imported."),
        qPrintable(lastMessage()));
    QVERIFY(lastMessage().contains("Turnover"));
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Critical);
    QCOMPARE(salesRows(), 6);

    fill("TextSheet", "Sales");
    fill("TextAC", "Customer");
    QTest::mouseClick(test::findControl<QPushButton>(m_import, "CommandImport"), Qt::LeftButton);
    QVERIFY(lastMessage().contains("'Customer'"));
    QCOMPARE(salesRows(), 6);

    QFile::remove("figures.xlsx");
    fill("TextAC", "Account No");
    QTest::mouseClick(test::findControl<QPushButton>(m_import, "CommandImport"), Qt::LeftButton);
    QVERIFY(lastMessage().startsWith("Your sales figures could not be imported."));
    QCOMPARE(salesRows(), 6);
}

void TestSales::companyShowsItsRowsLatestFirst()
{
    writeFigures("figures.xlsx", 6);
    importFigures(m_folder->filePath("figures.xlsx"));
    RecordViews::show(RecordViews::View::Sales, RecordViews::Branch::Companies);
    QWidget* sales = Screens::existing("FormSales");
    QVERIFY(sales);
    QCOMPARE(gridColumn(sales, 3), QStringList({ "n5", "n3", "n1" }));
    auto* grid = test::findControl<QTableView>(sales, "DBGrid1");
    QCOMPARE(grid->model()->columnCount(), 4);
    QCOMPARE(grid->model()->headerData(3, Qt::Horizontal).toString(), "[Note]");

    RecordViews::show(RecordViews::View::Sales, RecordViews::Branch::Archive);
    QCOMPARE(gridColumn(sales, 3), QStringList({ "n6", "n4", "n2" }));
}

void TestSales::companyWithoutFiguresShowsAnEmptyGrid()
{
    writeFigures("figures.xlsx", 4);
    importFigures(m_folder->filePath("figures.xlsx"));
    const int shown = int(m_messages->shown.size());
    m_company->standOn(3, "Cogs", "C-3");
    RecordViews::show(RecordViews::View::Sales, RecordViews::Branch::Companies);
    QCOMPARE(gridColumn(Screens::existing("FormSales"), 0), QStringList());
    QCOMPARE(m_messages->shown.size(), shown);
}

void TestSales::withoutImportTheUserIsSentToTheImport()
{
    RecordViews::show(RecordViews::View::Sales, RecordViews::Branch::Companies);
    QCOMPARE(lastMessage(), "Your sales figures have not been imported correctly.");
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Critical);
    QVERIFY(Screens::isVisible("FormImportSales"));
}

void TestSales::companyReportIsOfTheCurrentCompany()
{
    writeFigures("figures.xlsx", 6);
    importFigures(m_folder->filePath("figures.xlsx"));
    RecordViews::show(RecordViews::View::Sales, RecordViews::Branch::Archive);
    QWidget* sales = Screens::existing("FormSales");
    QTest::mouseClick(test::findControl<QPushButton>(sales, "CommandExcel"), Qt::LeftButton);
    QCOMPARE(m_opener->opened.size(), 1);
    const QList<QVariantList> rows = test::readSheet(m_opener->opened.first().toLocalFile());
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(1).value(0).toString(), "A-1");
    QCOMPARE(rows.at(1).value(3).toString(), "n5");
}

void TestSales::allSalesReportIsFilteredFrozenAndSorted()
{
    writeFigures("figures.xlsx", 5);
    importFigures(m_folder->filePath("figures.xlsx"));
    Screens::bringToFront("FormAllSales");
    QTRY_COMPARE(m_opener->opened.size(), 1);
    QTRY_VERIFY(!Screens::existing("FormAllSales"));
    const QString path = m_opener->opened.first().toLocalFile();
    const QList<QVariantList> rows = test::readSheet(path);
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.first().value(1).toString(), "Sale Date");
    QCOMPARE(rows.at(1).value(3).toString(), "n5");
    QCOMPARE(rows.at(5).value(3).toString(), "n1");
    const QByteArray sheetXml = test::zipEntry(path, "xl/worksheets/sheet1.xml");
    QVERIFY(sheetXml.contains("<autoFilter ref=\"A1:D6\"/>"));
    QVERIFY(sheetXml.contains("state=\"frozen\""));
    QVERIFY(sheetXml.contains("topLeftCell=\"A2\""));
    QVERIFY(!test::columnElement(sheetXml, 2).isEmpty());
    QVERIFY(Screens::isVisible("FormMenu") || Screens::isRegistered("FormMenu"));
}

VANTREL_TEST_MAIN(TestSales)
#include "TestSales.moc"
