#include "ApplicationTest.h"
#include "BusinessRows.h"
#include "Controls.h"
#include "RecordingMessageBoxHandler.h"
#include "TestFolder.h"

#include "app/StartSequence.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/FolderCopy.h"
#include "data/LastSynchronization.h"
#include "data/ProgramFolder.h"
#include "data/ReplicaSet.h"
#include "data/Schema.h"
#include "data/SetupFlag.h"
#include "data/SyncConflictLog.h"
#include "maintenance/FormMaintenance.h"
#include "maintenance/FormReplica.h"
#include "platform/MessageBox.h"
#include "shell/MDIFormMain.h"
#include "ui/DocumentFileChooser.h"
#include "ui/ProgramEnd.h"
#include "ui/Screens.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace vantrel;
using app::StartSequence;
using maintenance::FormMaintenance;
using maintenance::FormReplica;
using platform::MessageBox;
using ui::Screens;

namespace {

const QString lineBreak = "\r\n";

QString nativeProgramFile(const QString& name)
{
    return QDir::toNativeSeparators(QDir(data::programFolder()).filePath(name));
}

QString storedFlag()
{
    QString flag;
    QString error;
    return data::SetupFlag::read(&flag, &error) ? flag : "<" + error + ">";
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// The company names a database holds, in order.
QStringList companiesIn(const QString& path)
{
    data::Database db;
    if (!data::openBusinessDatabase(db, path))
        return { "<" + db.lastError() + ">" };
    data::QueryResult result;
    db.query("SELECT TEXT01 FROM TABLE01 ORDER BY TEXT01", {}, &result);
    QStringList names;
    for (const QVariantList& row : result.rows)
        names.append(row.first().toString());
    return names;
}

void execute(const QString& path, const QString& sql, const QVariantList& parameters = {})
{
    data::Database db;
    QVERIFY2(data::openBusinessDatabase(db, path), qPrintable(db.lastError()));
    QVERIFY2(db.execute(sql, parameters), qPrintable(db.lastError()));
}

// The server folder of an office: its CONTACT.mdb, and the folders of documents.
class ServerFolder {
public:
    ServerFolder()
    {
        QString error;
        if (!data::createDatabaseFile(database(), data::DatabaseKind::Business, &error))
            qFatal("could not create the server database: %s", qPrintable(error));
        QDir().mkpath(m_dir.filePath("Documents"));
        QDir().mkpath(m_dir.filePath("Attachments"));
    }
    QString database() const { return m_dir.filePath("CONTACT.mdb"); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

} // namespace

class TestReplicaScreens : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void setupBrowseFillsTheServerPath();
    void setupCreatesTheReplicaAndEndsTheProgram();
    void setupCreationFailureKeepsTheOldDatabase_data();
    void setupCreationFailureKeepsTheOldDatabase();

    void maintenanceModesShowTheirControls();
    void maintenanceCreatesAReplicaAfterClosingTheMainWindow();
    void maintenanceSynchronizesAndCopiesTheFolders_data();
    void maintenanceSynchronizesAndCopiesTheFolders();
    void maintenanceSynchronizationFailures();
    void conflictsAreShownAndCleared();

private:
    FormReplica* startSetupScreen(StartSequence& sequence);
    FormMaintenance* maintenance()
    {
        return Screens::bringToFront<FormMaintenance>("FormMaintenance");
    }
    template <class T = QWidget> T* control(const char* name)
    {
        return test::findControl<T>(maintenance(), name);
    }
    void chooseFile(const QString& path) { m_chooser->answers.append(path); }
    void replicaFromServer(const ServerFolder& server);

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    ui::RecordingDocumentFileChooser* m_chooser = nullptr;
};

void TestReplicaScreens::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    auto chooser = std::make_unique<ui::RecordingDocumentFileChooser>();
    m_chooser = chooser.get();
    ui::DocumentFileChooser::setHandler(std::move(chooser));
    data::Clock::setFixed(QDateTime(QDate(2026, 11, 20), QTime(16, 30)));
}

void TestReplicaScreens::cleanup()
{
    Screens::closeAll();
    data::Clock::reset();
    ui::DocumentFileChooser::setHandler(nullptr);
    MessageBox::setHandler(nullptr);
    m_folder.reset();
}

// The program folder as delivered, with the set-up screen waiting on it.
FormReplica* TestReplicaScreens::startSetupScreen(StartSequence& sequence)
{
    QString error;
    if (!data::createDatabaseFile(
            m_folder->filePath("Temp.mdb"), data::DatabaseKind::Business, &error)
        || !data::createDatabaseFile(
            m_folder->filePath("User.mdb"), data::DatabaseKind::User, &error))
        qFatal("%s", qPrintable(error));
    sequence.start();
    // The start-up check runs once the screen shows.
    QTest::qWait(50);
    return sequence.setupScreen();
}

void TestReplicaScreens::replicaFromServer(const ServerFolder& server)
{
    QFile::remove("CONTACT.mdb");
    QString error;
    QVERIFY2(data::ReplicaSet::createReplica(
                 server.database(), m_folder->filePath("CONTACT.mdb"), &error),
        qPrintable(error));
}

void TestReplicaScreens::setupBrowseFillsTheServerPath()
{
    StartSequence sequence;
    FormReplica* setup = startSetupScreen(sequence);
    auto* source = test::findControl<QLineEdit>(setup, "Text1");
    auto* create = test::findControl<QPushButton>(setup, "CommandReplica");
    auto* browse = test::findControl<QPushButton>(setup, "CommandBrowse");
    QCOMPARE(browse->text(), QString("&Browse"));
    QVERIFY(!create->isEnabled());

    // Cancelled: nothing changes.
    browse->click();
    QCOMPARE(m_chooser->openCaptions,
        QStringList { "Select the folder where 'CONTACT.mdb' is located." });
    QCOMPARE(source->text(), QString());
    QVERIFY(!create->isEnabled());

    chooseFile("/mnt/office/Vantrel/CONTACT.mdb");
    browse->click();
    QCOMPARE(source->text(), QDir::toNativeSeparators("/mnt/office/Vantrel/CONTACT.mdb"));
    QVERIFY(create->isEnabled());
    QCOMPARE(setup->focusWidget(), create);

    // The hints of the chooser button and of the box that receives the file.
    auto* label = test::findControl<QLabel>(setup, "LabelHelp");
    QTest::mouseMove(browse);
    QTRY_COMPARE(label->text(),
        QString("Locate the file 'CONTACT.mdb' on the server and click on 'Create Replica'. An "
                "exact replica of the Vantrel database will be created on your computer. Regular "
                "synchronization will ensure that all information from all users is always "
                "updated."));
    QTest::mouseMove(source);
    QTRY_COMPARE(
        label->text(), QString("Click the file 'CONTACT.mdb' and click on 'Create Replica'."));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestReplicaScreens::setupCreatesTheReplicaAndEndsTheProgram()
{
    ServerFolder server;
    execute(server.database(), "INSERT INTO TABLE01 (TEXT01) VALUES ('Keller AG')");
    StartSequence sequence;
    QSignalSpy ending(&sequence, &StartSequence::programEnding);
    FormReplica* setup = startSetupScreen(sequence);
    chooseFile(server.database());
    test::findControl<QPushButton>(setup, "CommandBrowse")->click();
    test::findControl<QPushButton>(setup, "CommandReplica")->click();

    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        "A replica has been created at location " + nativeProgramFile("CONTACT.mdb")
            + ". You must restart Vantrel.");
    QCOMPARE(m_messages->shown.first().icon, MessageBox::Icon::Information);
    QCOMPARE(storedFlag(), QString("1"));
    QTRY_COMPARE(ending.size(), 1);
    QVERIFY(!sequence.mainWindow());
    for (const char* name : { "Text1", "Text2", "CommandBrowse", "CommandReplica" })
        QVERIFY2(test::findControl<QWidget>(setup, name)->isHidden(), name);

    QString description;
    QString error;
    QVERIFY2(data::ReplicaSet::description("CONTACT.mdb", &description, &error), qPrintable(error));
    QCOMPARE(description, "Replica of " + server.database());
    QCOMPARE(companiesIn("CONTACT.mdb"), QStringList { "Keller AG" });
    // The delivered database stays for a single user's choice; it is not the replica.
    QVERIFY(QFile::exists("Temp.mdb"));
}

void TestReplicaScreens::setupCreationFailureKeepsTheOldDatabase_data()
{
    QTest::addColumn<QString>("serverFile");
    QTest::addColumn<QString>("message");
    QTest::newRow("no database") << "notes.txt" << QString();
    QTest::newRow("missing file") << "gone/CONTACT.mdb"
                                  << "could not be found";
    QTest::newRow("its own database") << "<own>"
                                      << "cannot be replaced by a replica of itself";
}

void TestReplicaScreens::setupCreationFailureKeepsTheOldDatabase()
{
    QFETCH(QString, serverFile);
    QFETCH(QString, message);
    ServerFolder server;
    writeFile(server.filePath("notes.txt"), "no database at all");
    StartSequence sequence;
    QSignalSpy ending(&sequence, &StartSequence::programEnding);
    FormReplica* setup = startSetupScreen(sequence);
    writeFile("CONTACT.mdb", "the workstation's own data");
    chooseFile(
        serverFile == "<own>" ? m_folder->filePath("CONTACT.mdb") : server.filePath(serverFile));
    test::findControl<QPushButton>(setup, "CommandBrowse")->click();
    test::findControl<QPushButton>(setup, "CommandReplica")->click();

    QCOMPARE(m_messages->shown.size(), 1);
    const MessageBox::Message shown = m_messages->shown.first();
    QVERIFY2(shown.text.startsWith("An error has occurred. "), qPrintable(shown.text));
    QVERIFY2(shown.text.contains(message), qPrintable(shown.text));
    QCOMPARE(shown.icon, MessageBox::Icon::Critical);
    QCOMPARE(storedFlag(), QString());
    QCOMPARE(contentOf("CONTACT.mdb"), QByteArray("the workstation's own data"));
    QTest::qWait(20);
    QCOMPARE(ending.size(), 0);
    QVERIFY(test::findControl<QWidget>(setup, "Text1")->isVisible());
    QVERIFY(test::findControl<QWidget>(setup, "CommandReplica")->isEnabled());
}

void TestReplicaScreens::maintenanceModesShowTheirControls()
{
    m_folder->createDatabases();
    const char* paths[] = { "Label1", "TextDBNameFrom", "CommandOpenForm", "Label2",
        "TextReplicaDBName", "CommandDestination" };
    for (const char* name : paths)
        QVERIFY2(control(name)->isHidden(), name);
    QVERIFY(control("CommandReplica")->isHidden());
    QVERIFY(control("CommandSynchronize")->isHidden());
    QVERIFY(control("TextDocuments")->isHidden());
    QVERIFY(control("TextAttachments")->isHidden());
    QCOMPARE(control<QLabel>("LabelReplica")->text(), QString("Create a Replica of the Database"));
    QCOMPARE(control<QLabel>("LabelSynchronize")->text(), QString("Synchronize Database"));
    // Never synchronized: no date, and no words before it.
    QVERIFY(control("LabelLast")->isHidden());
    QCOMPARE(control<QLabel>("LabelDate")->text(), QString());
    QVERIFY(control("FrameConflicts")->isHidden());

    control<QPushButton>("CommandShowReplica")->click();
    for (const char* name : paths)
        QVERIFY2(control(name)->isVisible(), name);
    QCOMPARE(control<QLabel>("Label1")->text(), QString("Database to Replicate"));
    QCOMPARE(control<QLabel>("Label2")->text(), QString("Name of new Replica"));
    QCOMPARE(control<QLineEdit>("TextReplicaDBName")->text(), nativeProgramFile("CONTACT.mdb"));
    QVERIFY(control<QLineEdit>("TextReplicaDBName")->isReadOnly());
    QVERIFY(control("CommandReplica")->isVisible());
    QVERIFY(control("CommandSynchronize")->isHidden());
    QCOMPARE(control<QPushButton>("CommandReplica")->text(), QString("&Create Replica"));

    chooseFile("/srv/office/CONTACT.mdb");
    control<QPushButton>("CommandOpenForm")->click();
    QCOMPARE(control<QLineEdit>("TextDBNameFrom")->text(),
        QDir::toNativeSeparators("/srv/office/CONTACT.mdb"));
    QCOMPARE(control<QLineEdit>("TextDocuments")->text(),
        QDir::toNativeSeparators("/srv/office/Documents"));
    QCOMPARE(control<QLineEdit>("TextAttachments")->text(),
        QDir::toNativeSeparators("/srv/office/Attachments"));
    chooseFile("/home/anna/Vantrel/CONTACT.mdb");
    control<QPushButton>("CommandDestination")->click();
    QVERIFY(!control<QLineEdit>("TextReplicaDBName")->isReadOnly());
    QCOMPARE(control<QLineEdit>("TextReplicaDBName")->text(),
        QDir::toNativeSeparators("/home/anna/Vantrel/CONTACT.mdb"));

    // The server's database is chosen anew for every task.
    control<QPushButton>("CommandShowSynchronize")->click();
    QCOMPARE(control<QLabel>("Label1")->text(),
        QString("Select the path to the Database on the Server"));
    QCOMPARE(control<QLabel>("Label2")->text(), QString("The path to your Replica:"));
    QCOMPARE(control<QLineEdit>("TextDBNameFrom")->text(), QString());
    QCOMPARE(control<QLineEdit>("TextDocuments")->text(), QString());
    QCOMPARE(control<QLineEdit>("TextReplicaDBName")->text(), nativeProgramFile("CONTACT.mdb"));
    QVERIFY(control<QLineEdit>("TextReplicaDBName")->isReadOnly());
    QVERIFY(control("CommandSynchronize")->isVisible());
    QVERIFY(control("CommandReplica")->isHidden());
    QCOMPARE(control<QPushButton>("CommandSynchronize")->text(), QString("&Synchronize"));

    auto* label = control<QLabel>("LabelHelp");
    QTest::mouseMove(control("CommandShowReplica"));
    QTRY_COMPARE(label->text(),
        "Create a replica of the Database:" + lineBreak
            + "Vantrel only connects to the database if this database is in the same folder as "
              "the program. Therefore it is necessary to create a replica from the database on "
              "the server. This database is called 'CONTACT.mdb'. Select the database from the "
              "server to be replicated. Click on 'Create Replica'. An exact replica of the "
              "database on the server will be created on the user's computer. N.B: This feature "
              "can only be used when nobody is connected to the database on the server. ");
    QTest::mouseMove(control("CommandShowSynchronize"));
    QTRY_COMPARE(label->text(),
        "Synchronize Database:" + lineBreak
            + "The user of the program will make changes and updates to the database on his or "
              "her machine. In the meantime, changes have also been made to the database on the "
              "server. Synchronizing allows you to update both changes.  If necessary, select "
              "the required paths. Click on 'Synchronize' and both databases will have exactly "
              "the same data. Synchronization should be done on a regular basis. N.B: This "
              "feature can be used at any time.");

    // A stored date shows after the words.
    Screens::close("FormMaintenance");
    QString error;
    QVERIFY(data::LastSynchronization::store(QDate(2026, 11, 3), &error));
    QTRY_VERIFY(!Screens::existing("FormMaintenance"));
    QVERIFY(control("LabelLast")->isVisible());
    QCOMPARE(control<QLabel>("LabelLast")->text(), QString("Last synchronized on"));
    QCOMPARE(control<QLabel>("LabelDate")->text(),
        QLocale().toString(QDate(2026, 11, 3), QLocale::ShortFormat));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestReplicaScreens::maintenanceCreatesAReplicaAfterClosingTheMainWindow()
{
    m_folder->createDatabases();
    test::insertRow("TABLE01", { { "TEXT01", "Own company" } });
    ServerFolder server;
    execute(server.database(), "INSERT INTO TABLE01 (TEXT01) VALUES ('Server company')");
    shell::MDIFormMain main;
    QTRY_VERIFY(main.isVisible());
    QSignalSpy ending(ui::ProgramEnd::instance(), &ui::ProgramEnd::requested);

    // A file that is no database: the engine's description alone, and nothing ends.
    writeFile(server.filePath("notes.mdb"), "no database at all");
    control<QPushButton>("CommandShowReplica")->click();
    chooseFile(server.filePath("notes.mdb"));
    control<QPushButton>("CommandOpenForm")->click();
    control<QPushButton>("CommandReplica")->click();
    QTRY_COMPARE(m_messages->shown.size(), 1);
    QVERIFY(!m_messages->shown.first().text.startsWith("An error has occurred."));
    QVERIFY(!m_messages->shown.first().text.isEmpty());
    QCOMPARE(m_messages->shown.first().icon, MessageBox::Icon::Critical);
    QCOMPARE(ending.size(), 0);
    QCOMPARE(companiesIn("CONTACT.mdb"), QStringList { "Own company" });
    QVERIFY(control("TextDBNameFrom")->isVisible());

    chooseFile(server.database());
    control<QPushButton>("CommandOpenForm")->click();
    control<QPushButton>("CommandReplica")->click();
    QTRY_COMPARE(m_messages->shown.size(), 2);
    QVERIFY(!main.isVisible());
    const MessageBox::Message shown = m_messages->shown.last();
    QCOMPARE(shown.text,
        "A replica has been created at location " + nativeProgramFile("CONTACT.mdb")
            + ". You must restart Vantrel.");
    QCOMPARE(shown.icon, MessageBox::Icon::None);
    QCOMPARE(shown.buttons, int(MessageBox::Ok));
    QCOMPARE(ending.size(), 1);
    QCOMPARE(companiesIn("CONTACT.mdb"), QStringList { "Server company" });
    for (const char* name : { "TextDBNameFrom", "TextReplicaDBName", "CommandOpenForm",
             "CommandDestination", "CommandReplica" })
        QVERIFY2(control(name)->isHidden(), name);
}

void TestReplicaScreens::maintenanceSynchronizesAndCopiesTheFolders_data()
{
    QTest::addColumn<bool>("typed");
    QTest::newRow("server chosen") << false;
    // The folders go where the file chosen last lies, whatever is typed afterwards.
    QTest::newRow("server typed after a choice") << true;
}

void TestReplicaScreens::maintenanceSynchronizesAndCopiesTheFolders()
{
    QFETCH(bool, typed);
    m_folder->createDatabases();
    ServerFolder server;
    ServerFolder chosenFolder;
    const ServerFolder& documentsServer = typed ? chosenFolder : server;
    const qint64 company = [&] {
        data::Database db;
        data::openBusinessDatabase(db, server.database());
        db.execute("INSERT INTO TABLE01 (TEXT01, TEXT05) VALUES ('Keller AG', 'Basel')");
        return db.scalar("SELECT AUTONUMBER FROM TABLE01").toLongLong();
    }();
    replicaFromServer(server);
    // The same field changed on both sides, and a new company here.
    execute(
        server.database(), "UPDATE TABLE01 SET TEXT05 = 'Bern' WHERE AUTONUMBER = ?", { company });
    execute("CONTACT.mdb", "UPDATE TABLE01 SET TEXT05 = 'Zug' WHERE AUTONUMBER = ?", { company });
    test::insertRow("TABLE01", { { "TEXT01", "Meier GmbH" } });
    writeFile("Documents/offer.rtf", "laptop offer");
    writeFile(documentsServer.filePath("Attachments/sheet.pdf"), "server sheet");

    shell::MDIFormMain main;
    QTRY_VERIFY(main.isVisible());
    QSignalSpy ending(ui::ProgramEnd::instance(), &ui::ProgramEnd::requested);
    control<QPushButton>("CommandShowSynchronize")->click();
    chooseFile(documentsServer.database());
    control<QPushButton>("CommandOpenForm")->click();
    if (typed)
        control<QLineEdit>("TextDBNameFrom")->setText(QDir::toNativeSeparators(server.database()));
    control<QPushButton>("CommandSynchronize")->click();
    QTRY_COMPARE(m_messages->shown.size(), 1);
    QVERIFY(!main.isVisible());
    const MessageBox::Message shown = m_messages->shown.first();
    QCOMPARE(shown.text,
        "You succesfully synchronized " + nativeProgramFile("CONTACT.mdb") + " with " + lineBreak
            + QDir::toNativeSeparators(server.database()) + ". You must restart Vantrel.");
    QCOMPARE(shown.icon, MessageBox::Icon::None);
    QCOMPARE(ending.size(), 1);
    for (const char* name : { "Label1", "TextDBNameFrom", "CommandOpenForm", "Label2",
             "TextReplicaDBName", "CommandDestination", "CommandSynchronize" })
        QVERIFY2(control(name)->isHidden(), name);

    QCOMPARE(companiesIn(server.database()), QStringList({ "Keller AG", "Meier GmbH" }));
    QDate date;
    QString error;
    QVERIFY(data::LastSynchronization::read(&date, &error));
    QCOMPARE(date, QDate(2026, 11, 20));
    QList<data::SyncConflict> conflicts;
    QVERIFY(data::SyncConflictLog::read(&conflicts, &error));
    QCOMPARE(conflicts.size(), 1);
    QCOMPARE(conflicts.first().table, QString("TABLE01"));
    QCOMPARE(conflicts.first().key, company);
    QCOMPARE(conflicts.first().column, QString("TEXT05"));

    // The folder copy runs on its own; its log tells when it is done.
    const QString log = m_folder->filePath(data::FolderCopy::logName);
    QTRY_VERIFY_WITH_TIMEOUT(contentOf(log).contains("\tfinished\t"), 10000);
    QCOMPARE(
        contentOf(documentsServer.filePath("Documents/offer.rtf")), QByteArray("laptop offer"));
    if (typed)
        QVERIFY(!QFile::exists(server.filePath("Documents/offer.rtf")));
    QCOMPARE(contentOf("Attachments/sheet.pdf"), QByteArray("server sheet"));

    // The next time the window opens it shows the date and the conflict.
    maintenance()->close();
    Screens::close("FormMaintenance");
    QTRY_VERIFY(!Screens::existing("FormMaintenance"));
    QCOMPARE(control<QLabel>("LabelDate")->text(),
        QLocale().toString(QDate(2026, 11, 20), QLocale::ShortFormat));
    QVERIFY(control("LabelLast")->isVisible());
    QVERIFY(control("FrameConflicts")->isVisible());
    QCOMPARE(control<QTableWidget>("GridConflicts")->rowCount(), 1);
}

void TestReplicaScreens::maintenanceSynchronizationFailures()
{
    m_folder->createDatabases();
    ServerFolder server;
    writeFile(server.filePath("notes.mdb"), "no database at all");
    QSignalSpy ending(ui::ProgramEnd::instance(), &ui::ProgramEnd::requested);
    control<QPushButton>("CommandShowSynchronize")->click();

    // Nothing chosen yet.
    control<QPushButton>("CommandSynchronize")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(
        m_messages->shown.last().text, QString("Select the path to the database on the server."));
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Critical);

    // A typed path to nothing.
    control<QLineEdit>("TextDBNameFrom")->setText(server.filePath("gone.mdb"));
    control<QPushButton>("CommandSynchronize")->click();
    QCOMPARE(m_messages->shown.size(), 2);
    QVERIFY(m_messages->shown.last().text.contains("could not be found"));

    // A file that is no database: the engine's own description.
    chooseFile(server.filePath("notes.mdb"));
    control<QPushButton>("CommandOpenForm")->click();
    control<QPushButton>("CommandSynchronize")->click();
    QTRY_COMPARE(m_messages->shown.size(), 3);
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Critical);
    QVERIFY(!m_messages->shown.last().text.startsWith("You succesfully"));
    QTest::qWait(20);
    QCOMPARE(ending.size(), 0);
    QDate date;
    QString error;
    QVERIFY(data::LastSynchronization::read(&date, &error));
    QVERIFY(!date.isValid());
    QVERIFY(!QFile::exists(data::FolderCopy::logName));
    QVERIFY(control("CommandSynchronize")->isVisible());
    QVERIFY(control<QPushButton>("CommandSynchronize")->isEnabled());
}

void TestReplicaScreens::conflictsAreShownAndCleared()
{
    m_folder->createDatabases();
    const QDateTime time(QDate(2026, 11, 19), QTime(11, 15));
    QString error;
    QVERIFY(data::SyncConflictLog::replace(
        { { "TABLE01", 12, "TEXT05", QString("Bern"), QString("Zug"), "the server's value wins",
              time },
            { "TABLE03", 40, QString(), QVariant(), QString("Anna Meier"),
                "a deletion wins over a change", time } },
        &error));
    auto* grid = control<QTableWidget>("GridConflicts");
    QVERIFY(control("FrameConflicts")->isVisible());
    QCOMPARE(grid->rowCount(), 2);
    auto row = [grid](int r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            cells.append(grid->item(r, c)->text());
        return cells;
    };
    const QString shownTime = QLocale().toString(time, QLocale::ShortFormat);
    QCOMPARE(row(0),
        QStringList({ "Companies (TABLE01)", "12", "TEXT05", "Bern", "Zug",
            "the server's value wins", shownTime }));
    QCOMPARE(row(1),
        QStringList({ "Contacts (TABLE03)", "40", "(whole record)", "(empty)", "Anna Meier",
            "a deletion wins over a change", shownTime }));

    // Clearing asks first; No keeps them.
    auto* clear = control<QPushButton>("CommandClearConflicts");
    m_messages->answers = { MessageBox::No };
    clear->click();
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Question);
    m_messages->answers = { MessageBox::Yes };
    clear->click();
    QVERIFY(control("FrameConflicts")->isHidden());
    QList<data::SyncConflict> conflicts;
    QVERIFY(data::SyncConflictLog::read(&conflicts, &error));
    QVERIFY(conflicts.isEmpty());
}

VANTREL_TEST_MAIN(TestReplicaScreens)
#include "TestReplicaScreens.moc"
