#include "ApplicationTest.h"
#include "activities/FormReportOverdue.h"
#include "data/BoundView.h"
#include "data/Clock.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "TestFolder.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace vantrel;
using activities::FormReportOverdue;

namespace {

const QDate today(2026, 12, 9);

qint64 addCompany(const QString& name, const QVariant& lastVisited, const QVariant& frequency,
    const QVariant& storedOverdue, const QString& state = QStringLiteral("Company"))
{
    return test::insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", name }, { "TEXT13", "Division " + name }, { "TEXT18", "Sam" },
            { "DATE01", lastVisited }, { "NUMBER01", frequency }, { "NUMBER02", storedOverdue },
            { "TEXT20", state }, { "TEXT21", "Note " + name } });
}

QVariant storedOverdue(qint64 company)
{
    data::Database db = test::businessDatabase();
    return db.scalar(
        QStringLiteral("SELECT NUMBER02 FROM TABLE01 WHERE AUTONUMBER = ?"), { company });
}

} // namespace

class TestOverdueMeetings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsCompaniesStillOverdueAfterRecomputing();
    void noOverdueCompaniesShowsHeadingsOnly();
    void columnsFollowTheWidthOfTheScreen();

private:
    FormReportOverdue* openListed();
    QStringList column(int column) const;

    std::unique_ptr<test::TestFolder> m_folder;
    FormReportOverdue* m_screen = nullptr;
};

void TestOverdueMeetings::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    data::Clock::setFixed(QDateTime(today, QTime(8, 0)));
}

void TestOverdueMeetings::cleanup()
{
    ui::Screens::closeAll();
    data::Clock::reset();
    m_screen = nullptr;
    m_folder.reset();
}

FormReportOverdue* TestOverdueMeetings::openListed()
{
    m_screen = ui::Screens::bringToFront<FormReportOverdue>(QStringLiteral("FormReportOverdue"));
    if (!m_screen)
        return nullptr;
    auto* label = test::findControl<QLabel>(m_screen, "LabelCalculate");
    if (label->text() != QStringLiteral("Calculating - Please Wait...")
        || !test::findControl(m_screen, "MSFlexGrid1")->isHidden())
        return nullptr;
    QSignalSpy listed(m_screen, &FormReportOverdue::listed);
    if (!m_screen->isListed() && !listed.wait(10000))
        return nullptr;
    return m_screen;
}

QStringList TestOverdueMeetings::column(int column) const
{
    auto* grid = test::findControl<QTableView>(m_screen, "MSFlexGrid1");
    QStringList values;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        values.append(grid->model()->index(row, column).data().toString());
    return values;
}

void TestOverdueMeetings::listsCompaniesStillOverdueAfterRecomputing()
{
    const qint64 late = addCompany(QStringLiteral("Acme"), today.addDays(-40), 30, 5);
    const qint64 archived = addCompany(
        QStringLiteral("Archived"), today.addDays(-400), 30, 50, QStringLiteral("Archive"));
    addCompany(QStringLiteral("Zero frequency"), today.addDays(-400), 0, 7);
    addCompany(QStringLiteral("No frequency"), today.addDays(-400), QVariant(), 7);
    const qint64 visited = addCompany(QStringLiteral("Visited since"), today.addDays(-3), 30, 12);
    const qint64 fraction = addCompany(QStringLiteral("fraction"), today.addDays(-40), 30.9, 1);
    const qint64 newlyLate = addCompany(QStringLiteral("Newly late"), today.addDays(-40), 30, 0);
    const qint64 unreadable
        = addCompany(QStringLiteral("Unreadable"), QStringLiteral("soon"), 30, 4);

    QVERIFY(openListed());
    auto* grid = test::findControl<QTableView>(m_screen, "MSFlexGrid1");
    QVERIFY(!grid->isHidden());
    QStringList headings;
    for (int section = 0; section < grid->model()->columnCount(); ++section)
        headings.append(grid->model()->headerData(section, Qt::Horizontal).toString());
    QCOMPARE(headings,
        (QStringList { "COMPANY", "DIVISION", "SALES PERSON", "DATE LAST VISITED",
            "VISIT FREQUENCY", "DAYS OVERDUE", "SCHEDULED APPOINTMENT" }));
    QCOMPARE(column(0), (QStringList { "Acme", "fraction", "Unreadable" }));
    QCOMPARE(column(5), (QStringList { "10", "10", "4" }));
    QCOMPARE(column(6), (QStringList { "Note Acme", "Note fraction", "Note Unreadable" }));

    QCOMPARE(storedOverdue(late).toInt(), 10);
    QCOMPARE(storedOverdue(fraction).toInt(), 10);
    QCOMPARE(storedOverdue(visited).toInt(), 0);
    QCOMPARE(storedOverdue(unreadable).toInt(), 4);
    // Only the companies that were listed as overdue are brought up to date.
    QCOMPARE(storedOverdue(newlyLate).toInt(), 0);
    QCOMPARE(storedOverdue(archived).toInt(), 50);
}

void TestOverdueMeetings::noOverdueCompaniesShowsHeadingsOnly()
{
    addCompany(QStringLiteral("On time"), today.addDays(-10), 30, 3);
    QVERIFY(openListed());
    auto* grid = test::findControl<QTableView>(m_screen, "MSFlexGrid1");
    QVERIFY(!grid->isHidden());
    QCOMPARE(grid->model()->rowCount(), 0);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("COMPANY"));
}

void TestOverdueMeetings::columnsFollowTheWidthOfTheScreen()
{
    QVERIFY(openListed());
    const QSize size(ui::twipsToPixelsX(14000, m_screen), ui::twipsToPixelsY(9000, m_screen));
    m_screen->resize(size);
    QTRY_COMPARE(m_screen->size(), size);
    auto* grid = test::findControl<QTableView>(m_screen, "MSFlexGrid1");
    const auto twips = [this](int pixels) { return ui::pixelsToTwipsX(pixels, m_screen); };
    const int formWidth = twips(m_screen->width());
    // Pixels are 15 units wide at 96 DPI, so each width is within one pixel of its target.
    QVERIFY(qAbs(twips(grid->width()) - (formWidth - 500)) <= 15);
    QVERIFY(qAbs(twips(grid->columnWidth(0)) - formWidth / 7) <= 15);
    QVERIFY(qAbs(twips(grid->columnWidth(1)) - formWidth / 10) <= 15);
    QVERIFY(qAbs(twips(grid->columnWidth(3)) - 1500) <= 15);
    QVERIFY(qAbs(twips(grid->columnWidth(5)) - 1000) <= 15);
    QVERIFY(qAbs(twips(grid->columnWidth(6)) - formWidth / 5) <= 15);
}

VANTREL_TEST_MAIN(TestOverdueMeetings)
#include "TestOverdueMeetings.moc"
