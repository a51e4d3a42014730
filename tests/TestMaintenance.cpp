#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "maintenance/DatabaseSize.h"
#include "maintenance/FormMaintenance.h"
#include "shell/MDIFormMain.h"
#include "ui/Screens.h"

#include "data/Compaction.h"
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
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace vantrel;
using maintenance::DatabaseSize;
using maintenance::FormMaintenance;
using platform::MessageBox;
using ui::Screens;

namespace {

const QString sizeText = "Your database is %1 MB in size, which is %2 % of its maximum capacity.";

QString nativeTemp()
{
    return QDir::toNativeSeparators(data::programFolder()) + QDir::separator() + "Temp";
}

// A file of that length in place of the database: the size text reads nothing else.
void makeFileOfLength(const QString& name, qint64 bytes)
{
    QFile::remove(name);
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(bytes));
}

void writeFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("generated");
}

// A company with one row in every table that belongs to it.
qint64 companyWithChildren(const QVariant& name, const QString& state = "Company")
{
    const qint64 company = test::insertRow("TABLE01", { { "TEXT01", name }, { "TEXT20", state } });
    test::insertRow("TABLE03", { { "NUMBER01", company }, { "TEXT02", "Anna" } });
    test::insertRow("TABLE05", { { "NUMBER01", company }, { "TEXT01", "offer.pdf" } });
    const qint64 project = test::insertRow("TABLE06", { { "NUMBER01", company } });
    // One step found through its project, one through its company.
    test::insertRow("TABLE07", { { "NUMBER01", project } });
    test::insertRow("TABLE07", { { "NUMBER02", company } });
    test::insertRow("TABLE08", { { "NUMBER01", company }, { "MEMO01", "Visit" } });
    test::insertRow("TABLE09", { { "NUMBER01", company }, { "MEMO01", "Letter" } });
    test::insertRow("TABLE10", { { "NUMBER01", company }, { "TEXT03", "Glue" } });
    return company;
}

int rowsOf(const QString& table, qint64 company)
{
    data::Database db = test::businessDatabase();
    const QString link = table == "TABLE07" ? "NUMBER02 = ? OR NUMBER01 IN "
                                              "(SELECT AUTONUMBER FROM TABLE06 WHERE NUMBER01 = ?)"
                                            : "NUMBER01 = ? OR ? IS NULL";
    return db.scalar("SELECT COUNT(*) FROM " + table + " WHERE " + link, { company, company })
        .toInt();
}

const QStringList childTables { "TABLE03", "TABLE05", "TABLE06", "TABLE07", "TABLE08", "TABLE09",
    "TABLE10" };

// Counts the companies at the moment the message shows.
class CountingHandler : public platform::RecordingMessageBoxHandler {
public:
    MessageBox::Button show(QWidget* parent, const MessageBox::Message& message) override
    {
        companiesWhenShown.append(test::rowCount("TABLE01"));
        return RecordingMessageBoxHandler::show(parent, message);
    }
    QList<int> companiesWhenShown;
};

} // namespace

class TestMaintenance : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sizeIsWrittenInBothPatterns();
    void sizeTextOnLoad();
    void compactionClosesTheMainWindowAndKeepsOneBackup();
    void failedCompactionChangesNothing();
    void temporaryFilesTwice();
    void blankCompaniesGoWithTheirRows();

private:
    FormMaintenance* open();
    QPushButton* button(const char* name) { return test::findControl<QPushButton>(open(), name); }
    QString sizeLabel() { return test::findControl<QLabel>(open(), "LabelSize")->text(); }

    std::unique_ptr<test::TestFolder> m_folder;
    CountingHandler* m_messages = nullptr;
};

void TestMaintenance::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    QDir().mkdir("Temp");
    auto handler = std::make_unique<CountingHandler>();
    m_messages = handler.get();
    MessageBox::setHandler(std::move(handler));
}

void TestMaintenance::cleanup()
{
    Screens::closeAll();
    MessageBox::setHandler(nullptr);
    m_folder.reset();
}

FormMaintenance* TestMaintenance::open()
{
    return Screens::bringToFront<FormMaintenance>("FormMaintenance");
}

void TestMaintenance::sizeIsWrittenInBothPatterns()
{
    using M = DatabaseSize::Megabytes;
    QCOMPARE(DatabaseSize::megabytes(50000000, M::TwoDecimals), QString("50.00"));
    QCOMPARE(DatabaseSize::megabytes(50000000, M::UpToTwoDecimals), QString("50."));
    QCOMPARE(DatabaseSize::percent(50000000), QString("2.50"));
    QCOMPARE(DatabaseSize::megabytes(500000, M::TwoDecimals), QString(".50"));
    QCOMPARE(DatabaseSize::megabytes(500000, M::UpToTwoDecimals), QString(".5"));
    QCOMPARE(DatabaseSize::percent(500000), QString("0.03"));
    QCOMPARE(DatabaseSize::megabytes(12000000, M::UpToTwoDecimals), QString("12."));
    QCOMPARE(DatabaseSize::megabytes(12345678, M::UpToTwoDecimals), QString("12.35"));
    QCOMPARE(DatabaseSize::megabytes(1999999999, M::TwoDecimals), QString("2000.00"));
    QCOMPARE(DatabaseSize::percent(1999999999), QString("100.00"));
    QCOMPARE(DatabaseSize::megabytes(0, M::TwoDecimals), QString(".00"));
    QCOMPARE(DatabaseSize::percent(0), QString("0.00"));
}

void TestMaintenance::sizeTextOnLoad()
{
    makeFileOfLength("CONTACT.mdb", 50000000);
    QCOMPARE(sizeLabel(), sizeText.arg("50.00", "2.50"));
    Screens::close("FormMaintenance");

    makeFileOfLength("CONTACT.mdb", 500000);
    QTRY_VERIFY(!Screens::existing("FormMaintenance"));
    QCOMPARE(sizeLabel(), sizeText.arg(".50", "0.03"));
    Screens::close("FormMaintenance");

    QFile::remove("CONTACT.mdb");
    QTRY_VERIFY(!Screens::existing("FormMaintenance"));
    QCOMPARE(sizeLabel(), QString());
}

void TestMaintenance::compactionClosesTheMainWindowAndKeepsOneBackup()
{
    {
        data::Database db = test::businessDatabase();
        data::Transaction transaction(db);
        for (int i = 0; i < 400; ++i)
            QVERIFY(db.execute("INSERT INTO TABLE08 (NUMBER01, MEMO01) VALUES (?, ?)",
                { i, QString(4000, QChar('m')) }));
        QVERIFY(transaction.commit());
        QVERIFY(db.execute("DELETE FROM TABLE08 WHERE NUMBER01 >= 5"));
    }
    const qint64 before = QFileInfo("CONTACT.mdb").size();
    shell::MDIFormMain main;
    QTRY_VERIFY(main.isVisible());
    QSignalSpy ending(&main, &shell::MDIFormMain::programEnding);
    FormMaintenance* maintenance = open();
    QCOMPARE(maintenance->windowTitle(), QString("Database Maintenance"));
    // The caption shows its ampersand rather than a shortcut.
    QCOMPARE(button("CommandShowCompact")->text().replace("&&", "&"),
        QString("Compact & Repair Database"));
    QVERIFY(button("CommandShowCompact")->shortcut().isEmpty());
    QCOMPARE(maintenance->size(), main.size());
    QCOMPARE(sizeLabel(),
        sizeText.arg(DatabaseSize::megabytes(before, DatabaseSize::Megabytes::TwoDecimals),
            DatabaseSize::percent(before)));

    for (int round = 0; round < 2; ++round) {
        button("CommandShowCompact")->click();
        QTRY_COMPARE(m_messages->shown.size(), round + 1);
        QVERIFY(!main.isVisible());
        QCOMPARE(ending.size(), 0);
        QCOMPARE(m_messages->shown.last().text, QString("Compacting is complete."));
        QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Information);
    }
    const qint64 after = QFileInfo("CONTACT.mdb").size();
    QVERIFY(after < before / 10);
    // The backup is the file as the second compaction found it.
    QCOMPARE(QDir("Temp").entryList(QDir::Files), QStringList { "CONTACT.bak" });
    QCOMPARE(QFileInfo("Temp/CONTACT.bak").size(), after);
    QCOMPARE(test::rowCount("TABLE08"), 5);
    data::Database db = test::businessDatabase();
    QCOMPARE(db.scalar("PRAGMA integrity_check").toString(), QString("ok"));
    QCOMPARE(sizeLabel(),
        sizeText.arg(DatabaseSize::megabytes(after, DatabaseSize::Megabytes::UpToTwoDecimals),
            DatabaseSize::percent(after)));

    maintenance->close();
    QTRY_VERIFY(main.isVisible());
    QCOMPARE(ending.size(), 0);
}

void TestMaintenance::failedCompactionChangesNothing()
{
    test::insertRow("TABLE01", { { "TEXT01", "Keller AG" } });
    QDir("Temp").removeRecursively();
    writeFile("Temp"); // a file where the backup's folder belongs
    const qint64 before = QFileInfo("CONTACT.mdb").size();
    button("CommandShowCompact")->click();
    QTRY_COMPARE(m_messages->shown.size(), 1);
    const MessageBox::Message message = m_messages->shown.first();
    QVERIFY(
        message.text.startsWith("An error was encountered. Please restart Vantrel and try again."));
    QCOMPARE(message.icon, MessageBox::Icon::Critical);
    QCOMPARE(QFileInfo("CONTACT.mdb").size(), before);
    QCOMPARE(test::rowCount("TABLE01"), 1);
    QVERIFY(!QFile::exists(data::compactionFileOf("CONTACT.mdb")));
    QVERIFY(button("CommandShowCompact")->isEnabled());
}

void TestMaintenance::temporaryFilesTwice()
{
    writeFile("Temp/Report 123456.xlsx");
    writeFile("Temp/Vantrel Document.doc");
    writeFile("Temp/CONTACT.bak");
    QDir().mkpath("Temp/Kept");
    writeFile("Temp/Kept/inside.txt");

    button("CommandDelete")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.at(0).text, "All files in " + nativeTemp() + " have been deleted.");
    QCOMPARE(m_messages->shown.at(0).icon, MessageBox::Icon::Information);
    QVERIFY(QDir("Temp").entryList(QDir::Files).isEmpty());
    QVERIFY(QFile::exists("Temp/Kept/inside.txt"));

    button("CommandDelete")->click();
    QCOMPARE(m_messages->shown.size(), 2);
    QCOMPARE(m_messages->shown.at(1).text, "The folder " + nativeTemp() + " is empty.");

    // Without the folder there is nothing in it either.
    QDir("Temp").removeRecursively();
    button("CommandDelete")->click();
    QCOMPARE(m_messages->shown.at(2).text, "The folder " + nativeTemp() + " is empty.");
}

void TestMaintenance::blankCompaniesGoWithTheirRows()
{
    const qint64 named = companyWithChildren("Zeller GmbH");
    const QList<qint64> blanks { companyWithChildren(QVariant()), companyWithChildren(""),
        companyWithChildren("", "Archive") };
    const qint64 archived = companyWithChildren("Abt & Co", "Archive");
    // A row without any company stays as it is.
    test::insertRow("TABLE08", { { "MEMO01", "Nobody's" } });

    button("CommandRemove")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text, QString("All Blank Entries have been Removed!"));
    QCOMPARE(m_messages->shown.first().icon, MessageBox::Icon::Information);
    // Done before it is reported.
    QCOMPARE(m_messages->companiesWhenShown.first(), 2);

    for (const QString& table : childTables) {
        for (qint64 blank : blanks)
            QCOMPARE(rowsOf(table, blank), 0);
        QVERIFY2(rowsOf(table, named) >= 1, qPrintable(table));
        QVERIFY2(rowsOf(table, archived) >= 1, qPrintable(table));
    }
    QCOMPARE(test::rowCount("TABLE07"), 4);
    QCOMPARE(test::rowCount("TABLE08"), 3);
}

VANTREL_TEST_MAIN(TestMaintenance)
#include "TestMaintenance.moc"
