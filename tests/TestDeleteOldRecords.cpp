#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "maintenance/FormDelete.h"
#include "maintenance/OldActivities.h"
#include "ui/Screens.h"

#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "platform/MessageBox.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace vantrel;
using maintenance::FormDelete;
using platform::MessageBox;
using ui::Screens;

namespace {

const QStringList activityTables { "TABLE08", "TABLE09", "TABLE06", "TABLE07" };

QString nativeTemp()
{
    return QDir::toNativeSeparators(data::programFolder()) + QDir::separator() + "Temp";
}

// Dates of the rows in one table, in the order they were stored.
QStringList datesIn(const QString& file, const QString& table)
{
    data::Database db;
    if (!data::openBusinessDatabase(db, file))
        return { db.lastError() };
    data::QueryResult result;
    db.query("SELECT DATE01 FROM " + table + " ORDER BY AUTONUMBER", {}, &result);
    QStringList dates;
    for (const QVariantList& row : result.rows)
        dates.append(row.first().toString());
    return dates;
}

// Rows on both sides of 01-01-2009 in each table, and rows without a readable date.
void storeActivities()
{
    data::Database db = test::businessDatabase();
    for (const QString& table : activityTables) {
        for (const char* date :
            { "2008-12-31", "2009-01-01", "2007-05-17 10:30:00", "2009-06-30", "", "soon" }) {
            QVERIFY(db.execute("INSERT INTO " + table + " (DATE01) VALUES (?)",
                { *date ? QVariant(QString::fromLatin1(date)) : QVariant() }));
        }
    }
}

const QStringList keptDates { "2009-01-01", "2009-06-30", "", "soon" };

} // namespace

class TestDeleteOldRecords : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void asksWithTheSizeAndNoGoesBackToTheMenu();
    void deletesWhatIsOlderThanTheDateAfterABackup();
    void projectGoesWhileItsLaterStepStays();
    void noBackupStillLeadsToTheDate();
    void secondBackupReplacesTheFirst();
    void backupThatCannotBeMadeStopsEverything();
    void progressFollowsTheTablesInOrder();
    void invalidDatesDeleteNothing_data();
    void invalidDatesDeleteNothing();

private:
    FormDelete* screen() { return Screens::bringToFront<FormDelete>("FormDelete"); }
    template <class T = QPushButton> T* control(const char* name)
    {
        return test::findControl<T>(screen(), name);
    }
    QString sizeLabel() { return control<QLabel>("LabelSize")->text(); }
    void answerYes(MessageBox::Button backup)
    {
        m_messages->answers.append(backup);
        QTest::mouseClick(control("CommandYes"), Qt::LeftButton);
    }
    void deleteBefore(const QString& typed)
    {
        QTest::keyClicks(control<QLineEdit>("MaskEdBoxDate"), typed);
        QTest::mouseClick(control("CommandDelete"), Qt::LeftButton);
    }

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestDeleteOldRecords::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    QDir().mkdir("Temp");
    auto handler = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = handler.get();
    MessageBox::setHandler(std::move(handler));
}

void TestDeleteOldRecords::cleanup()
{
    Screens::closeAll();
    MessageBox::setHandler(nullptr);
    m_folder.reset();
}

void TestDeleteOldRecords::asksWithTheSizeAndNoGoesBackToTheMenu()
{
    QFile::remove("CONTACT.mdb");
    QFile file("CONTACT.mdb");
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(50000000));
    file.close();
    QCOMPARE(sizeLabel(),
        QString("Your database is 50. MB in size, which is 2.50 % of its maximum capacity .Do you "
                "want to delete old activities (call reports, faxes, letters and projects)?"));
    QCOMPARE(control("CommandYes")->text(), QString("&Yes"));
    QCOMPARE(control("CommandNo")->text(), QString("&No"));
    for (const char* hidden : { "MaskEdBoxDate", "LabelHint", "CommandDelete", "LabelDeleting" })
        QVERIFY2(!control<QWidget>(hidden)->isVisible(), hidden);

    // The setup menu reads its password from a real database.
    QVERIFY(QFile::remove("CONTACT.mdb"));
    QString error;
    QVERIFY(data::createDatabaseFile("CONTACT.mdb", data::DatabaseKind::Business, &error));
    QTest::mouseClick(control("CommandNo"), Qt::LeftButton);
    QWidget* menu = Screens::existing("FormMenu");
    QVERIFY(menu && menu->isVisible());
    QVERIFY(Screens::existing("FormDelete"));
    QVERIFY(m_messages->shown.isEmpty());
    QVERIFY(control("CommandYes")->isVisible());
}

void TestDeleteOldRecords::deletesWhatIsOlderThanTheDateAfterABackup()
{
    storeActivities();
    answerYes(MessageBox::Yes);
    QCOMPARE(m_messages->shown.size(), 1);
    const MessageBox::Message question = m_messages->shown.first();
    QCOMPARE(question.text,
        "Do you want to make a backup of the database 'CONTACT.mdb'in the folder " + nativeTemp()
            + " before deleting?");
    QCOMPARE(question.buttons, MessageBox::Yes | MessageBox::No);
    QCOMPARE(question.icon, MessageBox::Icon::None);
    QCOMPARE(question.title, QString("Vantrel"));
    QCOMPARE(datesIn("Temp/CONTACT.mdb", "TABLE08").size(), 6);

    QCOMPARE(sizeLabel(),
        QString("Enter a date. All call reports, faxes, letters and projects generated before this "
                "date will be permanently deleted."));
    QVERIFY(!control("CommandYes")->isVisible());
    QVERIFY(control<QLineEdit>("MaskEdBoxDate")->isVisible());
    QCOMPARE(control<QLabel>("LabelHint")->text(), QString("dd-mm-yyyy"));
    QVERIFY(!control("CommandDelete")->isVisible());
    QTest::keyClicks(control<QLineEdit>("MaskEdBoxDate"), "0");
    QVERIFY(control("CommandDelete")->isVisible());
    QTest::keyClicks(control<QLineEdit>("MaskEdBoxDate"), "1012009");
    QTest::mouseClick(control("CommandDelete"), Qt::LeftButton);

    QCOMPARE(m_messages->shown.size(), 2);
    QCOMPARE(m_messages->shown.last().text,
        QString("All selected records have been deleted.\r\nNow go to 'Maintenance and "
                "Replication' and compact the database."));
    for (const QString& table : activityTables)
        QCOMPARE(datesIn("CONTACT.mdb", table), keptDates);
    // The backup holds every row as it was.
    QCOMPARE(datesIn("Temp/CONTACT.mdb", "TABLE07").size(), 6);
    QTRY_VERIFY(!Screens::existing("FormDelete"));
    QWidget* maintenance = Screens::existing("FormMaintenance");
    QVERIFY(maintenance && maintenance->isVisible());
}

void TestDeleteOldRecords::projectGoesWhileItsLaterStepStays()
{
    const qint64 project = test::insertRow("TABLE06", { { "DATE01", QDate(2008, 3, 1) } });
    test::insertRow("TABLE07", { { "NUMBER01", project }, { "DATE01", QDate(2009, 2, 1) } });
    answerYes(MessageBox::No);
    deleteBefore("01012009");
    QCOMPARE(test::rowCount("TABLE06"), 0);
    QCOMPARE(test::rowCount("TABLE07"), 1);
}

void TestDeleteOldRecords::noBackupStillLeadsToTheDate()
{
    storeActivities();
    answerYes(MessageBox::No);
    QVERIFY(!QFile::exists("Temp/CONTACT.mdb"));
    QVERIFY(control<QLineEdit>("MaskEdBoxDate")->isVisible());
    QVERIFY(!control("CommandNo")->isVisible());
    deleteBefore("01012009");
    QCOMPARE(datesIn("CONTACT.mdb", "TABLE09"), keptDates);
    QVERIFY(!QFile::exists("Temp/CONTACT.mdb"));
}

void TestDeleteOldRecords::secondBackupReplacesTheFirst()
{
    storeActivities();
    answerYes(MessageBox::Yes);
    deleteBefore("01012009");
    QTRY_VERIFY(!Screens::existing("FormDelete"));
    QCOMPARE(datesIn("Temp/CONTACT.mdb", "TABLE08").size(), 6);

    answerYes(MessageBox::Yes);
    QCOMPARE(datesIn("Temp/CONTACT.mdb", "TABLE08"), keptDates);
    QCOMPARE(QDir("Temp").entryList(QDir::Files), QStringList { "CONTACT.mdb" });

    // "Delete Temporary Files" takes the backup with the rest.
    QWidget* maintenance = Screens::bringToFront("FormMaintenance");
    test::findControl<QPushButton>(maintenance, "CommandDelete")->click();
    QVERIFY(!QFile::exists("Temp/CONTACT.mdb"));
}

void TestDeleteOldRecords::backupThatCannotBeMadeStopsEverything()
{
    storeActivities();
    QDir("Temp").removeRecursively();
    QFile blocker("Temp");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    answerYes(MessageBox::Yes);
    QCOMPARE(m_messages->shown.size(), 2);
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Critical);
    QVERIFY2(m_messages->shown.last().text.contains("nothing has been deleted"),
        qPrintable(m_messages->shown.last().text));
    // Still at the question: the user decides again.
    QVERIFY(control("CommandYes")->isVisible());
    QVERIFY(!control<QLineEdit>("MaskEdBoxDate")->isVisible());
    for (const QString& table : activityTables)
        QCOMPARE(test::rowCount(table), 6);
}

void TestDeleteOldRecords::progressFollowsTheTablesInOrder()
{
    storeActivities();
    test::insertRow("TABLE09", { { "DATE01", QDate(2010, 1, 1) } });
    QStringList heard;
    data::Database db = test::businessDatabase();
    QList<qint64> remaining;
    QString error;
    QVERIFY2(maintenance::OldActivities::remove(
                 db, QDate(2009, 1, 1),
                 [&](int table, const QList<qint64>& done) {
                     QStringList counts;
                     for (qint64 rows : done)
                         counts.append(QString::number(rows));
                     heard.append(maintenance::activityTables().at(table).phrase + " after "
                         + counts.join(","));
                 },
                 &remaining, &error),
        qPrintable(error));
    QCOMPARE(heard,
        QStringList({ "call reports after ", "correspondence after 4", "projects after 4,5",
            "action steps after 4,5,4" }));
    QCOMPARE(remaining, QList<qint64>({ 4, 5, 4, 4 }));
}

void TestDeleteOldRecords::invalidDatesDeleteNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("no such day") << "31022009";
    QTest::newRow("short forms") << "1-1-09";
    QTest::newRow("letters") << "12ab";
}

void TestDeleteOldRecords::invalidDatesDeleteNothing()
{
    QFETCH(QString, typed);
    storeActivities();
    answerYes(MessageBox::No);
    deleteBefore(typed);
    QCOMPARE(m_messages->shown.size(), 2);
    const MessageBox::Message message = m_messages->shown.last();
    QVERIFY2(message.text.startsWith("An error has occurred. "), qPrintable(message.text));
    QVERIFY2(message.text.contains("dd-mm-yyyy"), qPrintable(message.text));
    QCOMPARE(message.icon, MessageBox::Icon::Critical);
    for (const QString& table : activityTables)
        QCOMPARE(test::rowCount(table), 6);
    // The user corrects the date and goes on.
    QLineEdit* box = control<QLineEdit>("MaskEdBoxDate");
    box->clear();
    deleteBefore("01012009");
    QCOMPARE(datesIn("CONTACT.mdb", "TABLE08"), keptDates);
}

VANTREL_TEST_MAIN(TestDeleteOldRecords)
#include "TestDeleteOldRecords.moc"
