#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "TestFolder.h"

#include "app/StartSequence.h"
#include "data/Database.h"
#include "data/FolderCopy.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SetupFlag.h"
#include "maintenance/FormReplica.h"
#include "platform/MessageBox.h"
#include "shell/MDIFormMain.h"
#include "shell/SplashWindow.h"
#include "ui/Screens.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vantrel;
using app::StartSequence;
using maintenance::FormReplica;

namespace {

// The program folder as delivered: Temp.mdb and User.mdb, no CONTACT.mdb.
void createDeliveredFolder(const test::TestFolder& folder)
{
    QString error;
    QVERIFY2(data::createDatabaseFile(
                 folder.filePath(QStringLiteral("Temp.mdb")), data::DatabaseKind::Business, &error),
        qPrintable(error));
    QVERIFY2(data::createDatabaseFile(
                 folder.filePath(QStringLiteral("User.mdb")), data::DatabaseKind::User, &error),
        qPrintable(error));
}

QString storedFlag()
{
    QString flag;
    QString error;
    if (!data::SetupFlag::read(&flag, &error))
        return QStringLiteral("<%1>").arg(error);
    return flag;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void setUpWorkstationGoesThroughSplash();
    void newWorkstationWaitsOnSetupScreen();
    void singleUserChoiceAdoptsDeliveredDatabase();
    void singleUserChoiceFailures_data();
    void singleUserChoiceFailures();
    void flagThatCannotBeStoredLeavesFolderAsItWas();
    void unreadableSettingsShowTheError();
    void closingSetupScreenEndsTheProgram();
    void setupScreenExplainsTheSingleUserChoice();
    void folderCopyFailuresAreToldOnceAtTheNextStart();

private:
    void waitForSetupCheck(StartSequence& sequence);

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestStartup::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
}

void TestStartup::cleanup()
{
    platform::MessageBox::setHandler(nullptr);
    m_folder.reset();
}

void TestStartup::waitForSetupCheck(StartSequence& sequence)
{
    QVERIFY(sequence.setupScreen());
    auto* flagBox = sequence.setupScreen()->findChild<QLineEdit*>(QStringLiteral("TEXT04"));
    QVERIFY(flagBox);
    // The check runs once the screen shows; give it the event loop.
    QTest::qWait(50);
}

void TestStartup::setUpWorkstationGoesThroughSplash()
{
    m_folder->createDatabases();
    QString error;
    QVERIFY(data::SetupFlag::store(QStringLiteral("1"), &error));

    StartSequence sequence;
    QSignalSpy finished(&sequence, &StartSequence::finished);
    sequence.start();
    QPointer<FormReplica> setup = sequence.setupScreen();
    QSignalSpy setUp(setup.data(), &FormReplica::alreadySetUp);
    QVERIFY(setUp.wait());
    // The splash follows at once, before the set-up screen is gone.
    QPointer<shell::SplashWindow> splash = sequence.splash();
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QTRY_VERIFY(setup.isNull());

    QTRY_COMPARE(finished.size(), 1);
    shell::MDIFormMain* main = sequence.mainWindow();
    QVERIFY(main);
    QVERIFY(main->isVisible());
    QCOMPARE(main->windowTitle(), QStringLiteral("Vantrel"));
    // The setup menu is the first screen, right of the navigation tree.
    QWidget* menu = ui::Screens::existing(QStringLiteral("FormMenu"));
    QVERIFY(menu);
    QVERIFY(menu->isVisible());
    QVERIFY(main->isAncestorOf(menu));
    QTRY_VERIFY(splash.isNull());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestStartup::newWorkstationWaitsOnSetupScreen()
{
    createDeliveredFolder(*m_folder);
    StartSequence sequence;
    sequence.start();
    waitForSetupCheck(sequence);
    FormReplica* setup = sequence.setupScreen();
    QVERIFY(setup->isVisible());
    QCOMPARE(setup->windowTitle(), QStringLiteral("Create a Replica of the Database on your PC"));
    QCOMPARE(setup->findChild<QLineEdit*>(QStringLiteral("TEXT04"))->text(), QString());
    QVERIFY(setup->findChild<QLineEdit*>(QStringLiteral("Text2"))
                ->text()
                .endsWith(QStringLiteral("CONTACT.mdb")));
    QVERIFY(!sequence.splash());
    QVERIFY(!sequence.mainWindow());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestStartup::singleUserChoiceAdoptsDeliveredDatabase()
{
    createDeliveredFolder(*m_folder);
    const QByteArray delivered = contentOf(m_folder->filePath(QStringLiteral("Temp.mdb")));
    StartSequence sequence;
    QSignalSpy finished(&sequence, &StartSequence::finished);
    sequence.start();
    waitForSetupCheck(sequence);
    QPointer<FormReplica> setup = sequence.setupScreen();

    setup->findChild<QCheckBox*>(QStringLiteral("Check1"))->click();
    QVERIFY(m_messages->shown.isEmpty());
    QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("Temp.mdb"))));
    QCOMPARE(contentOf(m_folder->filePath(QStringLiteral("CONTACT.mdb"))), delivered);
    QCOMPARE(storedFlag(), QStringLiteral("1"));

    // The main window comes up without a restart and without the splash.
    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(!sequence.splash());
    QVERIFY(sequence.mainWindow()->isVisible());
    QTRY_VERIFY(setup.isNull());
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
}

void TestStartup::singleUserChoiceFailures_data()
{
    QTest::addColumn<bool>("withTemp");
    QTest::addColumn<bool>("withContact");
    QTest::addColumn<QString>("message");
    QTest::newRow("no delivered database")
        << false << false << QStringLiteral("'Temp.mdb' could not be found");
    QTest::newRow("working database already there")
        << true << true << QStringLiteral("'CONTACT.mdb' already exists");
}

void TestStartup::singleUserChoiceFailures()
{
    QFETCH(bool, withTemp);
    QFETCH(bool, withContact);
    QFETCH(QString, message);
    createDeliveredFolder(*m_folder);
    const QString temp = m_folder->filePath(QStringLiteral("Temp.mdb"));
    const QString contact = m_folder->filePath(QStringLiteral("CONTACT.mdb"));
    if (!withTemp)
        QVERIFY(QFile::remove(temp));
    if (withContact)
        writeFile(contact, "the user's own data");
    const QByteArray tempBefore = contentOf(temp);

    StartSequence sequence;
    sequence.start();
    waitForSetupCheck(sequence);
    FormReplica* setup = sequence.setupScreen();
    auto* check = setup->findChild<QCheckBox*>(QStringLiteral("Check1"));
    check->click();

    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QVERIFY2(m_messages->shown.first().text.contains(message),
        qPrintable(m_messages->shown.first().text));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Critical);
    QCOMPARE(QFile::exists(temp), withTemp);
    QCOMPARE(contentOf(temp), tempBefore);
    if (withContact)
        QCOMPARE(contentOf(contact), QByteArray("the user's own data"));
    else
        QVERIFY(!QFile::exists(contact));
    QCOMPARE(storedFlag(), QString());
    // The screen stays, ready for another try.
    QTest::qWait(50);
    QVERIFY(sequence.setupScreen());
    QVERIFY(setup->isVisible());
    QVERIFY(!check->isChecked());
    QVERIFY(!sequence.mainWindow());
}

void TestStartup::flagThatCannotBeStoredLeavesFolderAsItWas()
{
    createDeliveredFolder(*m_folder);
    StartSequence sequence;
    sequence.start();
    waitForSetupCheck(sequence);
    // User.mdb is damaged after the start-up check read it.
    writeFile(m_folder->filePath(QStringLiteral("User.mdb")), QByteArray(4096, 'x'));
    sequence.setupScreen()->findChild<QCheckBox*>(QStringLiteral("Check1"))->click();

    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QVERIFY(QFile::exists(m_folder->filePath(QStringLiteral("Temp.mdb"))));
    QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("CONTACT.mdb"))));
    QVERIFY(sequence.setupScreen()->isVisible());
    QVERIFY(!sequence.mainWindow());
}

void TestStartup::unreadableSettingsShowTheError()
{
    createDeliveredFolder(*m_folder);
    writeFile(m_folder->filePath(QStringLiteral("User.mdb")), QByteArray(4096, 'x'));
    StartSequence sequence;
    sequence.start();
    waitForSetupCheck(sequence);
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QVERIFY(sequence.setupScreen()->isVisible());
    QVERIFY(!sequence.splash());
}

void TestStartup::closingSetupScreenEndsTheProgram()
{
    createDeliveredFolder(*m_folder);
    StartSequence sequence;
    QSignalSpy ending(&sequence, &StartSequence::programEnding);
    sequence.start();
    waitForSetupCheck(sequence);
    sequence.setupScreen()->close();
    QTRY_COMPARE(ending.size(), 1);
}

void TestStartup::setupScreenExplainsTheSingleUserChoice()
{
    createDeliveredFolder(*m_folder);
    StartSequence sequence;
    sequence.start();
    waitForSetupCheck(sequence);
    FormReplica* setup = sequence.setupScreen();
    auto* help = setup->findChild<QPushButton*>(QStringLiteral("CommandHelp"));
    QVERIFY(help);
    QCOMPARE(help->text(), QStringLiteral("Help (F1)"));
    auto* frame = setup->findChild<QGroupBox*>(QStringLiteral("FrameHelp"));
    auto* label = setup->findChild<QLabel*>(QStringLiteral("LabelHelp"));
    QVERIFY(frame && label);
    QTest::mouseMove(setup->findChild<QCheckBox*>(QStringLiteral("Check1")));
    QTRY_VERIFY(frame->isVisible());
    QCOMPARE(label->text(),
        QStringLiteral(
            "Select this option if you are a single user. Instead of creating a replica, "
            "a copy of the database will be made to ")
            + QDir::toNativeSeparators(data::programFolder()) + QStringLiteral("."));
}

void TestStartup::folderCopyFailuresAreToldOnceAtTheNextStart()
{
    m_folder->createDatabases();
    QString error;
    QVERIFY(data::SetupFlag::store(QStringLiteral("1"), &error));
    // What the copier left after the last synchronization: one document could
    // not go to the server, where a folder of its name stands.
    QTemporaryDir server;
    QDir().mkpath(server.filePath(QStringLiteral("Documents/offer.rtf")));
    QDir().mkpath(m_folder->filePath(QStringLiteral("Documents")));
    writeFile(m_folder->filePath(QStringLiteral("Documents/offer.rtf")), "laptop offer");
    writeFile(m_folder->filePath(QStringLiteral("Documents/minutes.rtf")), "laptop minutes");
    const QString log = m_folder->filePath(data::FolderCopy::logName);
    data::FolderCopy::run(
        data::FolderCopy::steps(m_folder->path(), server.filePath(QStringLiteral("Documents")),
            server.filePath(QStringLiteral("Attachments"))),
        log);

    auto startToTheMainWindow = [] {
        StartSequence sequence;
        QSignalSpy finished(&sequence, &StartSequence::finished);
        sequence.start();
        QTRY_COMPARE(finished.size(), 1);
    };
    startToTheMainWindow();
    QCOMPARE(m_messages->shown.size(), 1);
    const platform::MessageBox::Message shown = m_messages->shown.first();
    QCOMPARE(shown.icon, platform::MessageBox::Icon::Warning);
    QVERIFY2(shown.text.startsWith(QStringLiteral(
                 "The folders Documents and Attachments were not copied completely after "
                 "the last synchronization. These files could not be copied:\r\n")),
        qPrintable(shown.text));
    QVERIFY(shown.text.contains(
        QDir::toNativeSeparators(m_folder->filePath(QStringLiteral("Documents/offer.rtf")))));
    QVERIFY(!shown.text.contains(QStringLiteral("minutes.rtf")));
    QVERIFY(shown.text.contains(QDir::toNativeSeparators(log)));

    // Told once: the next start is quiet.
    startToTheMainWindow();
    QCOMPARE(m_messages->shown.size(), 1);
}

VANTREL_TEST_MAIN(TestStartup)
#include "TestStartup.moc"
