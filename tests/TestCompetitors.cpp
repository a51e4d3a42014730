#include "ApplicationTest.h"
#include "BusinessRows.h"
#include "Controls.h"
#include "PdfPrinterProvider.h"
#include "RecordingMessageBoxHandler.h"
#include "ShellFakes.h"
#include "TestFolder.h"

#include "data/BoundView.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "platform/MessageBox.h"
#include "products/FormCompetitors.h"
#include "ui/PrinterProvider.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace vantrel;
using products::FormCompetitors;
using ui::RecordViews;
using ui::Screens;

namespace {
const QDate today(2026, 3, 14);
}

class TestCompetitors : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheCompanysRowsNewestEditFirst();
    void newRowBelongsToTheCurrentCompanyAlsoFromTheArchive();
    void editDatesTheRowAndSaveChangesStoresIt();
    void currencyGoesInFrontOfTheCost();
    void productListFollowsTheRegister();

private:
    void show(RecordViews::Branch branch = RecordViews::Branch::Companies);
    QStringList gridColumn(int column) const;
    QComboBox* combo(const char* name) const;
    QLineEdit* box(const char* name) const;
    void click(const char* name);
    void pickCurrency(const QString& symbol);

    test::TestFolder* m_folder = nullptr;
    FormCompetitors* m_screen = nullptr;
    test::FakeCompanyScreen* m_company = nullptr;
    test::FakeCompanyScreen* m_archive = nullptr;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    qint64 m_acme = 0;
    qint64 m_bolt = 0;
};

void TestCompetitors::init()
{
    m_folder = new test::TestFolder;
    m_folder->createDatabases();
    data::Clock::setFixed(QDateTime(today, QTime(9, 0)));
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    m_acme = test::insertRow("TABLE01", { { "TEXT01", "Acme" }, { "TEXT02", "A-1" } });
    m_bolt = test::insertRow("TABLE01", { { "TEXT01", "Bolt" }, { "TEXT02", "B-2" } });
    Screens::registerScreen("FormCompanies", [] { return new test::FakeCompanyScreen; });
    Screens::registerScreen("FormArchive", [] { return new test::FakeCompanyScreen; });
    m_company = Screens::instance<test::FakeCompanyScreen>("FormCompanies");
    m_company->standOn(m_acme, "Acme", "A-1");
    m_archive = Screens::instance<test::FakeCompanyScreen>("FormArchive");
    m_archive->standOn(m_bolt, "Bolt", "B-2");
    test::insertRow("TABLE10",
        { { "NUMBER01", m_acme }, { "DATE01", "2025-01-05" }, { "TEXT02", "Pumps" },
            { "TEXT03", "Old From: Hydra" }, { "NUMBER02", 10 }, { "TEXT04", "R 5" } });
    test::insertRow("TABLE10",
        { { "NUMBER01", m_acme }, { "DATE01", "2026-02-01" }, { "TEXT02", "Valves" },
            { "TEXT03", "New From: Hydra" }, { "NUMBER02", 3 }, { "TEXT04", "$ 9" } });
    test::insertRow("TABLE10",
        { { "NUMBER01", m_bolt }, { "DATE01", "2026-03-01" }, { "TEXT02", "Seals" },
            { "TEXT03", "Bolt's From: Acme" } });
    test::insertRow("MT04", { { "TEXT01", "Pumps" } });
    test::insertRow("MT04", { { "TEXT01", "Valves" } });
    test::insertRow("TABLE11", { { "TEXT04", "Vane pump From: Hydra" } });
}

void TestCompetitors::cleanup()
{
    Screens::closeAll();
    m_screen = nullptr;
    data::Clock::reset();
    ui::PrinterProvider::setInstance(nullptr);
    platform::MessageBox::setHandler(nullptr);
    delete m_folder;
}

void TestCompetitors::show(RecordViews::Branch branch)
{
    RecordViews::show(RecordViews::View::Competition, branch);
    m_screen = qobject_cast<FormCompetitors*>(Screens::existing("FormCompetitors"));
    QVERIFY(m_screen);
    m_screen->resize(900, 600);
    m_screen->show();
}

QStringList TestCompetitors::gridColumn(int column) const
{
    auto* grid = test::findControl<QTableView>(m_screen, "DBGrid1");
    QStringList values;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        values.append(grid->model()->index(row, column).data().toString());
    return values;
}

QComboBox* TestCompetitors::combo(const char* name) const
{
    return test::findControl<QComboBox>(m_screen, name);
}

QLineEdit* TestCompetitors::box(const char* name) const
{
    return test::findControl<QLineEdit>(m_screen, name);
}

void TestCompetitors::click(const char* name)
{
    QTest::mouseClick(test::findControl<QPushButton>(m_screen, name), Qt::LeftButton);
}

void TestCompetitors::pickCurrency(const QString& symbol)
{
    QComboBox* currency = combo("ComboCurrency");
    const int index = currency->findText(symbol);
    QVERIFY(index >= 0);
    emit currency->activated(index);
}

void TestCompetitors::showsTheCompanysRowsNewestEditFirst()
{
    show();
    QCOMPARE(gridColumn(2), QStringList({ "New From: Hydra", "Old From: Hydra" }));
    auto* grid = test::findControl<QTableView>(m_screen, "DBGrid1");
    QCOMPARE(grid->model()->headerData(3, Qt::Horizontal).toString(), "Units / Annum");
    QCOMPARE(gridColumn(4), QStringList({ "$ 9", "R 5" }));

    show(RecordViews::Branch::Archive);
    QCOMPARE(gridColumn(2), QStringList({ "Bolt's From: Acme" }));

    // A company without rows shows none of another's.
    m_company->standOn(test::insertRow("TABLE01", { { "TEXT01", "Empty" } }), "Empty", "");
    show();
    QCOMPARE(gridColumn(2), QStringList());
}

void TestCompetitors::newRowBelongsToTheCurrentCompanyAlsoFromTheArchive()
{
    show(RecordViews::Branch::Archive);
    click("CommandNew");
    QVERIFY(m_screen->isEntering());
    QVERIFY(!test::findControl<QTableView>(m_screen, "DBGrid1")->isVisible());
    QVERIFY(!test::findControl<QPushButton>(m_screen, "CommandSave")->isVisible());
    QTest::keyClicks(combo("DBComboProductGroup"), "Pumps");
    QTest::keyClicks(box("NUMBER02"), "250");
    // Leaving the record stores it.
    m_screen->records()->refresh();

    data::Database db = test::businessDatabase();
    data::QueryResult rows;
    QVERIFY(db.query("SELECT NUMBER01, DATE01, TEXT02, NUMBER02 FROM TABLE10 WHERE TEXT02 = 'Pumps'"
                     " AND NUMBER02 = 250",
        {}, &rows));
    QCOMPARE(rows.rows.size(), 1);
    QCOMPARE(rows.rows.first().value(0).toLongLong(), m_acme);
    QCOMPARE(rows.rows.first().value(1).toDate(), today);
}

void TestCompetitors::editDatesTheRowAndSaveChangesStoresIt()
{
    show();
    click("CommandEdit");
    QVERIFY(test::findControl<QPushButton>(m_screen, "CommandSave")->isVisible());
    QVERIFY(!test::findControl<QPushButton>(m_screen, "CommandEdit")->isVisible());
    box("NUMBER02")->selectAll();
    QTest::keyClicks(box("NUMBER02"), "42");
    click("CommandSave");
    QVERIFY(!m_screen->isEntering());
    QVERIFY(test::findControl<QTableView>(m_screen, "DBGrid1")->isVisible());
    QCOMPARE(test::businessDatabase()
                 .scalar("SELECT NUMBER02 FROM TABLE10 WHERE TEXT02 = 'Valves'")
                 .toInt(),
        42);
    QCOMPARE(test::businessDatabase()
                 .scalar("SELECT DATE01 FROM TABLE10 WHERE TEXT02 = 'Valves'")
                 .toString(),
        today.toString(Qt::ISODate));
}

void TestCompetitors::currencyGoesInFrontOfTheCost()
{
    show();
    click("CommandEdit");
    QLineEdit* cost = box("TEXT04");
    cost->clear();
    QTest::keyClicks(cost, "12.50");
    pickCurrency("R");
    QCOMPARE(cost->text(), "R 12.50");
    pickCurrency("$");
    QCOMPARE(cost->text(), "$ R 12.50");

    cost->clear();
    pickCurrency("R");
    QCOMPARE(cost->text(), "R ");
    QCOMPARE(cost->cursorPosition(), 2);
    QTest::keyClicks(cost, "7");
    QCOMPARE(cost->text(), "R 7");
    click("CommandSave");
    QCOMPARE(test::businessDatabase()
                 .scalar("SELECT TEXT04 FROM TABLE10 WHERE TEXT02 = 'Valves'")
                 .toString(),
        "R 7");
    QVERIFY(m_messages->shown.isEmpty());
}

void TestCompetitors::productListFollowsTheRegister()
{
    show();
    click("CommandNew");
    QCOMPARE(combo("DBComboProduct")->count(), 1);
    QCOMPARE(combo("DBComboProductGroup")->count(), 2);
    test::insertRow("TABLE11", { { "TEXT04", "Gear pump From: Acme" } });
    show();
    click("CommandNew");
    QCOMPARE(combo("DBComboProduct")->findText("Gear pump From: Acme") >= 0, true);
    combo("DBComboProduct")
        ->setCurrentIndex(combo("DBComboProduct")->findText("Gear pump From: Acme"));
    emit combo("DBComboProduct")->activated(combo("DBComboProduct")->currentIndex());
    QCOMPARE(m_screen->records()->value("TEXT03").toString(), "Gear pump From: Acme");
}

VANTREL_TEST_MAIN(TestCompetitors)
#include "TestCompetitors.moc"
