#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "companies/FormArchive.h"
#include "companies/FormCompanies.h"
#include "data/BoundView.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "platform/MessageBox.h"
#include "shell/FormMain.h"
#include "shell/MDIFormMain.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "TestFolder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace vantrel;
using companies::FormArchive;
using companies::FormCompanies;
using test::businessDatabase;
using ui::Screens;

namespace {

const QDate today(2026, 3, 11);

qint64 insertCompany(const QString& name, const QString& state, const QString& salesPerson = {})
{
    return test::insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", name }, { "TEXT20", state },
            { "TEXT18", salesPerson.isEmpty() ? QVariant() : QVariant(salesPerson) } });
}

QStringList names(const companies::CompanyRecordScreen& screen)
{
    QStringList result;
    for (int row = 0; row < screen.view()->rowCount(); ++row)
        result.append(screen.view()
                          ->valueAt(row, screen.view()->fieldIndex(QStringLiteral("TEXT01")))
                          .toString());
    return result;
}

} // namespace

class TestFormArchive : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void restoreAsksNothingAndKeepsTheChildRows();
    void bothScreensShareTheListChoice();
    void archivedCompanyIsNeverOverdueAndAnEmptyNameIsHidden();
    void zoomShowsTheArchivedCompanysNote();
    void saveStoresAndReturnsToTheFirstRow();
    void treeNodesOpenTheScreens();

private:
    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestFormArchive::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(today, QTime(9, 0)));
}

void TestFormArchive::cleanup()
{
    Screens::closeAll();
    data::Clock::reset();
    platform::MessageBox::setHandler(nullptr);
    m_folder.reset();
}

void TestFormArchive::restoreAsksNothingAndKeepsTheChildRows()
{
    insertCompany(QStringLiteral("Alpha Steel"), QStringLiteral("Company"));
    insertCompany(QStringLiteral("Zeta Mills"), QStringLiteral("Company"));
    const qint64 key = insertCompany(QStringLiteral("O'Brien & Sons"), QStringLiteral("Archive"));
    insertCompany(QStringLiteral("Old Mill"), QStringLiteral("Archive"));
    QVERIFY(businessDatabase().execute(
        QStringLiteral("INSERT INTO TABLE06 (NUMBER01, TEXT03) VALUES (?, 'Active Project')"),
        { key }));

    auto* companies = Screens::instance<FormCompanies>(QStringLiteral("FormCompanies"));
    auto* archive = Screens::instance<FormArchive>(QStringLiteral("FormArchive"));
    QVERIFY(companies && archive);
    QCOMPARE(names(*archive), (QStringList { "O'Brien & Sons", "Old Mill" }));
    QVERIFY(!archive->findChild<QWidget*>(QStringLiteral("CommandNew")));
    QVERIFY(!archive->findChild<QWidget*>(QStringLiteral("CommandArchive")));
    QVERIFY(!archive->findChild<QWidget*>(QStringLiteral("CommandCalendar")));
    QVERIFY(!archive->findChild<QWidget*>(QStringLiteral("CommandHelp")));
    QVERIFY(!archive->findChild<QWidget*>(QStringLiteral("Text21")));

    archive->findChild<QPushButton*>(QStringLiteral("CommandUnarchive"))->click();
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(names(*archive), QStringList { "Old Mill" });
    QCOMPARE(names(*companies), (QStringList { "Alpha Steel", "O'Brien & Sons", "Zeta Mills" }));
    data::Database db = businessDatabase();
    QCOMPARE(db.scalar(QStringLiteral("SELECT TEXT20 FROM TABLE01 WHERE AUTONUMBER = ?"), { key })
                 .toString(),
        QStringLiteral("Company"));
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE06 WHERE NUMBER01 = ?"), { key })
                 .toInt(),
        1);
}

void TestFormArchive::bothScreensShareTheListChoice()
{
    QVERIFY(businessDatabase().execute(
        QStringLiteral("INSERT INTO MT12 (TEXT01) VALUES ('D''Arcy Lane')")));
    insertCompany(
        QStringLiteral("Old Mill"), QStringLiteral("Archive"), QStringLiteral("D'Arcy Lane"));
    insertCompany(
        QStringLiteral("Gone Ltd"), QStringLiteral("Archive"), QStringLiteral("Tom Reyes"));
    insertCompany(
        QStringLiteral("Alpha Steel"), QStringLiteral("Company"), QStringLiteral("D'Arcy Lane"));
    {
        FormArchive archive;
        QCOMPARE(archive.view()->rowCount(), 2);
        archive.findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
        auto* people = archive.findChild<QComboBox*>(QStringLiteral("DBComboName"));
        emit people->activated(people->findText(QStringLiteral("D'Arcy Lane")));
        QCOMPARE(names(archive), QStringList { "Old Mill" });
    }
    FormCompanies companies;
    QVERIFY(companies.findChild<QRadioButton*>(QStringLiteral("Option2"))->isChecked());
    QCOMPARE(companies.listChoice(), QStringLiteral("D'Arcy Lane"));
    QCOMPARE(names(companies), QStringList { "Alpha Steel" });
    FormArchive archive;
    QCOMPARE(names(archive), QStringList { "Old Mill" });
}

void TestFormArchive::archivedCompanyIsNeverOverdueAndAnEmptyNameIsHidden()
{
    data::Database db = businessDatabase();
    QVERIFY(db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT20, DATE01, NUMBER01, NUMBER02) "
                                      "VALUES ('Archive', ?, 30, 12)"),
        { today.addDays(-90) }));
    FormArchive archive;
    QCOMPARE(archive.companyValue(QStringLiteral("NUMBER02")).toInt(), 0);
    QVERIFY(archive.findChild<QWidget*>(QStringLiteral("TEXT01"))->isHidden());
    QVERIFY(archive.findChild<QWidget*>(QStringLiteral("Label01"))->isHidden());
    QVERIFY(!archive.findChild<QWidget*>(QStringLiteral("NUMBER01"))->isHidden());
}

void TestFormArchive::zoomShowsTheArchivedCompanysNote()
{
    insertCompany(QStringLiteral("Alpha Steel"), QStringLiteral("Company"));
    const qint64 key = insertCompany(QStringLiteral("Old Mill"), QStringLiteral("Archive"));
    QVERIFY(businessDatabase().execute(
        QStringLiteral("UPDATE TABLE01 SET MEMO01 = 'Closed in 2019' WHERE AUTONUMBER = ?"),
        { key }));
    Screens::instance(QStringLiteral("FormCompanies"));
    auto* archive = Screens::instance<FormArchive>(QStringLiteral("FormArchive"));
    archive->findChild<QPushButton*>(QStringLiteral("CommandZoomNotes"))->click();
    QWidget* viewer = Screens::existing(QStringLiteral("FormDetails"));
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Old Mill - Notes"));
    QCOMPARE(viewer->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText(),
        QStringLiteral("Closed in 2019"));
}

void TestFormArchive::saveStoresAndReturnsToTheFirstRow()
{
    insertCompany(QStringLiteral("Alpha Steel"), QStringLiteral("Archive"));
    const qint64 key = insertCompany(QStringLiteral("Beta Works"), QStringLiteral("Archive"));
    FormArchive archive;
    archive.view()->moveLast();
    archive.findChild<QPushButton*>(QStringLiteral("CommandEdit"))->click();
    auto* city = archive.findChild<QLineEdit*>(QStringLiteral("TEXT08"));
    QVERIFY(!city->isHidden());
    QTest::keyClicks(city, "Cork");
    // The archive keeps a frequency typed in letters to tell the user when the box is left.
    QTest::keyClicks(archive.findChild<QLineEdit*>(QStringLiteral("NUMBER01")), "ab");
    QCOMPARE(
        archive.findChild<QLineEdit*>(QStringLiteral("NUMBER01"))->text(), QStringLiteral("ab"));
    emit archive.findChild<QLineEdit*>(QStringLiteral("NUMBER01"))->editingFinished();
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(archive.findChild<QLineEdit*>(QStringLiteral("NUMBER01"))->text(), QString());
    archive.findChild<QPushButton*>(QStringLiteral("CommandSave"))->click();
    QCOMPARE(archive.view()->position(), 0);
    QCOMPARE(businessDatabase()
                 .scalar(QStringLiteral("SELECT TEXT08 FROM TABLE01 WHERE AUTONUMBER = ?"), { key })
                 .toString(),
        QStringLiteral("Cork"));
}

void TestFormArchive::treeNodesOpenTheScreens()
{
    insertCompany(QStringLiteral("Alpha Steel"), QStringLiteral("Company"));
    insertCompany(QStringLiteral("Old Mill"), QStringLiteral("Archive"));
    shell::MDIFormMain main;
    main.show();
    QTreeWidget* tree = main.navigation()->tree();
    for (const char* text : { "Companies", "Archive" }) {
        const QList<QTreeWidgetItem*> items
            = tree->findItems(QLatin1String(text), Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!items.isEmpty());
        main.navigation()->clickNode(items.first());
    }
    auto* companies
        = qobject_cast<FormCompanies*>(Screens::existing(QStringLiteral("FormCompanies")));
    auto* archive = qobject_cast<FormArchive*>(Screens::existing(QStringLiteral("FormArchive")));
    QVERIFY(companies && archive);
    QVERIFY(archive->isVisible());
    QCOMPARE(companies->companyValue(QStringLiteral("TEXT01")).toString(),
        QStringLiteral("Alpha Steel"));
    QCOMPARE(
        archive->companyValue(QStringLiteral("TEXT01")).toString(), QStringLiteral("Old Mill"));
}

VANTREL_TEST_MAIN(TestFormArchive)
#include "TestFormArchive.moc"
