#include "ApplicationTest.h"
#include "BusinessRows.h"
#include "RecordingMailProgram.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "office/AgendaStore.h"
#include "office/MailAccount.h"
#include "office/MailProgram.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "ui/AgendaWindow.h"
#include "ui/AppointmentWindow.h"
#include "ui/BuiltInMailProgram.h"
#include "ui/MailSettingsDialog.h"
#include "ui/MailWindow.h"
#include "ui/TaskWindow.h"

#include "LoopbackSmtpServer.h"
#include "TestFolder.h"
#include "TopLevelWindows.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <sys/stat.h>

using namespace vantrel::office;
using namespace vantrel::platform;
using namespace vantrel::data;
using namespace vantrel::ui;
using vantrel::test::LoopbackSmtpServer;
using vantrel::test::TestFolder;
using vantrel::test::visibleWindows;

namespace {

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

MailItem mailTo(const QString& to)
{
    MailItem mail = MailProgram::instance().createMail();
    mail.to = to;
    return mail;
}

} // namespace

class TestMailWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void activeMailWindowIsSavedAsText();
    void sendWithoutAccountHandsOverToTheDesktop();
    void sendWithAccountGoesThroughSmtp();
    void settingsAreStoredWithThePasswordApart();
    void foldersOpenTheAgendaAndItemsAreSaved();
    void testsCanReplaceTheProgram();

private:
    std::unique_ptr<TestFolder> m_folder;
    RecordingOpener* m_opener = nullptr;
    RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestMailWindow::init()
{
    m_folder = std::make_unique<TestFolder>();
    m_folder->createDatabases();
    QVERIFY(QDir(m_folder->path()).mkdir("Temp"));
    auto opener = std::make_unique<RecordingOpener>();
    m_opener = opener.get();
    Desktop::setOpener(std::move(opener));
    auto handler = std::make_unique<RecordingMessageBoxHandler>();
    m_messages = handler.get();
    MessageBox::setHandler(std::move(handler));
    MailProgram::setInstance(nullptr);
    Clock::setFixed(QDateTime(QDate(2026, 3, 14), QTime(9, 40)));
}

void TestMailWindow::cleanup()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Desktop::setOpener(nullptr);
    MessageBox::setHandler(nullptr);
    MailProgram::setInstance(nullptr);
    Clock::reset();
    m_folder.reset();
}

void TestMailWindow::activeMailWindowIsSavedAsText()
{
    auto& program = dynamic_cast<BuiltInMailProgram&>(MailProgram::instance());
    const QString path = "Temp/Vantrel Document.txt";
    QString error;
    QVERIFY(!program.saveActiveItemAsText(path, &error));
    QCOMPARE(error, QString("No e-mail is open in the mail window."));
    QVERIFY(!program.isRunning());

    QVERIFY(program.display(mailTo("anna@example.org"), &error));
    MailWindow* first = program.activeMailWindow();
    QVERIFY(first);
    QVERIFY(program.isRunning());
    QCOMPARE(first->findChild<QLineEdit*>("To")->text(), QString("anna@example.org"));
    // With the recipient given, the user goes on with the subject.
    QCOMPARE(first->focusWidget(), first->findChild<QLineEdit*>("Subject"));
    QTest::keyClicks(first->findChild<QLineEdit*>("Subject"), "Offer");
    first->findChild<QLineEdit*>("Subject")->insert(" für Grüße");
    QCOMPARE(first->windowTitle(), QString("Offer für Grüße - Message"));
    QTest::keyClicks(first->findChild<QPlainTextEdit*>("Body"), "Dear Anna,");

    QVERIFY2(program.saveActiveItemAsText(path, &error), qPrintable(error));
    QCOMPARE(
        fileText(path), QString("To: anna@example.org\nSubject: Offer für Grüße\n\nDear Anna,"));

    QVERIFY(program.display(mailTo("bob@example.org"), &error));
    MailWindow* second = program.activeMailWindow();
    QVERIFY(second && second != first);
    QVERIFY(program.saveActiveItemAsText(path, &error));
    QVERIFY(fileText(path).startsWith("To: bob@example.org\n"));
    second->close();
    QCOMPARE(program.activeMailWindow(), first);

    // What is typed after the last periodic save still reaches the file when the window closes.
    QVERIFY(program.saveActiveItemAsText(path, &error));
    QTest::keyClicks(first->findChild<QPlainTextEdit*>("Body"), " see you Monday.");
    first->close();
    QCOMPARE(fileText(path),
        QString("To: anna@example.org\nSubject: Offer für Grüße\n\nDear Anna, see you Monday."));
    QVERIFY(!program.saveActiveItemAsText(path, &error));
    QVERIFY(!program.isRunning());
}

void TestMailWindow::sendWithoutAccountHandsOverToTheDesktop()
{
    auto& program = dynamic_cast<BuiltInMailProgram&>(MailProgram::instance());
    MailItem mail = mailTo("anna@example.org");
    mail.subject = "Call Report - Miller & Co";
    mail.body = "Visit went well.";
    QString error;
    QVERIFY(program.display(mail, &error));
    MailWindow* window = program.activeMailWindow();
    QVERIFY(window->findChild<QLabel*>("Account")->text().startsWith("No mail account is set up"));

    // Without a mail program the message says so and offers Vantrel's own account at once.
    m_opener->succeed = false;
    m_messages->answers = { MessageBox::No };
    QTest::mouseClick(window->findChild<QPushButton*>("Send"), Qt::LeftButton);
    QCOMPARE(m_messages->shown.size(), 1);
    const MessageBox::Message offer = m_messages->shown.first();
    QVERIFY2(offer.text.startsWith("No mail program is set up on this computer. The e-mail was "
                                   "not sent and stays open."),
        qPrintable(offer.text));
    QVERIFY(offer.text.contains("mail account (SMTP server)"));
    QVERIFY(!offer.text.contains("mailto:"));
    QCOMPARE(offer.buttons, int(MessageBox::Yes | MessageBox::No));
    QVERIFY(window->isVisible());
    QVERIFY(!window->findChild<MailSettingsDialog*>());
    // Nothing went into the correspondence behind the user's back.
    QCOMPARE(vantrel::test::rowCount("TABLE09"), 0);

    m_messages->answers = { MessageBox::Yes };
    QTest::mouseClick(window->findChild<QPushButton*>("Send"), Qt::LeftButton);
    auto* settings = window->findChild<MailSettingsDialog*>();
    QVERIFY(settings);
    QTRY_VERIFY(settings->isVisible());
    settings->reject();
    QVERIFY(window->isVisible());

    // An address that is no address is the user's to correct, not a missing program.
    window->findChild<QLineEdit*>("To")->setText("anna at example.org");
    m_messages->shown.clear();
    QTest::mouseClick(window->findChild<QPushButton*>("Send"), Qt::LeftButton);
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QString("An error has occurred. 'anna at example.org' is not a valid e-mail address."));
    window->findChild<QLineEdit*>("To")->setText("anna@example.org");

    m_opener->succeed = true;
    QTest::mouseClick(window->findChild<QPushButton*>("Send"), Qt::LeftButton);
    QCOMPARE(m_opener->opened.size(), 3);
    QCOMPARE(m_opener->opened.last().toEncoded(),
        QByteArray("mailto:anna@example.org?subject=Call%20Report%20-%20Miller%20%26%20Co"
                   "&body=Visit%20went%20well."));
    QVERIFY(!program.activeMailWindow());
}

void TestMailWindow::sendWithAccountGoesThroughSmtp()
{
    LoopbackSmtpServer server;
    server.rejectRecipient("nobody@example.org", "550 5.1.1 User unknown here");
    MailAccount account;
    account.userName = "Jürgen Weiß";
    account.address = "juergen@example.org";
    account.host = "127.0.0.1";
    account.port = server.port();
    account.security = MailAccount::Security::None;
    QString error;
    QVERIFY2(MailAccount::save(account, &error), qPrintable(error));

    auto& program = dynamic_cast<BuiltInMailProgram&>(MailProgram::instance());
    QVERIFY(program.display(mailTo("nobody@example.org"), &error));
    MailWindow* window = program.activeMailWindow();
    QCOMPARE(window->findChild<QLabel*>("Account")->text(),
        QString("From Jürgen Weiß <juergen@example.org> through 127.0.0.1"));
    QTest::mouseClick(window->findChild<QPushButton*>("Send"), Qt::LeftButton);
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY2(m_messages->shown.first().text.contains("550 5.1.1 User unknown here"),
        qPrintable(m_messages->shown.first().text));
    QVERIFY(window->isVisible());
    QVERIFY(window->findChild<QPushButton*>("Send")->isEnabled());

    window->findChild<QLineEdit*>("To")->setText("anna@example.org");
    window->findChild<QLineEdit*>("Bcc")->setText("boss@example.org");
    window->findChild<QPlainTextEdit*>("Body")->setPlainText("Bis Montag!");
    QTest::mouseClick(window->findChild<QPushButton*>("Send"), Qt::LeftButton);
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(server.messages().first().recipients,
        QList<QByteArray>({ "anna@example.org", "boss@example.org" }));
    QVERIFY(!program.activeMailWindow());

    // The support request: the item is displayed, then sent at once; its window goes.
    MailItem request = mailTo("support@example.org");
    request.subject = "Request for technical support";
    QVERIFY(program.display(request, &error));
    QVERIFY(program.activeMailWindow());
    QVERIFY2(program.send(request, &error), qPrintable(error));
    QCOMPARE(server.messages().size(), 2);
    QVERIFY(!program.activeMailWindow());
    QVERIFY(m_opener->opened.isEmpty());
}

void TestMailWindow::settingsAreStoredWithThePasswordApart()
{
    QString error;
    QVERIFY(MailProgram::instance().display(mailTo("anna@example.org"), &error));
    MailWindow* window
        = dynamic_cast<BuiltInMailProgram&>(MailProgram::instance()).activeMailWindow();
    QTest::mouseClick(window->findChild<QPushButton*>("Settings"), Qt::LeftButton);
    auto* dialog = window->findChild<MailSettingsDialog*>();
    QVERIFY(dialog);
    QCOMPARE(dialog->findChild<QSpinBox*>("Port")->value(), 587);

    dialog->findChild<QLineEdit*>("UserName")->setText("Anna Berg");
    dialog->findChild<QLineEdit*>("CompanyName")->setText("Berg & Partner");
    dialog->findChild<QLineEdit*>("Address")->setText("anna example.org");
    dialog->findChild<QLineEdit*>("Host")->setText("smtp.example.org");
    auto* security = dialog->findChild<QComboBox*>("Security");
    // A login without TLS is warned of, while it is chosen.
    auto* warning = dialog->findChild<QLabel*>("SecurityWarning");
    QVERIFY(warning->isHidden());
    security->setCurrentIndex(security->findText("None"));
    QVERIFY(warning->isHidden());
    dialog->findChild<QLineEdit*>("SmtpUser")->setText("anna");
    QVERIFY(!warning->isHidden());
    QVERIFY(warning->text().startsWith("Without TLS the user name and the password"));
    security->setCurrentIndex(security->findText("SSL/TLS"));
    QVERIFY(warning->isHidden());
    QCOMPARE(dialog->findChild<QSpinBox*>("Port")->value(), 465);
    dialog->findChild<QLineEdit*>("Password")->setText("geheim'; DROP TABLE");
    dialog->accept();
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QString("'anna example.org' is not a valid e-mail address."));
    QVERIFY(dialog->isVisible());
    QVERIFY(!QFile::exists("Mail.key"));

    dialog->findChild<QLineEdit*>("Address")->setText("anna@example.org");
    dialog->accept();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(window->findChild<QLabel*>("Account")->text(),
        QString("From Anna Berg <anna@example.org> through smtp.example.org"));

    MailAccount stored;
    QVERIFY2(MailAccount::load(&stored, &error), qPrintable(error));
    QCOMPARE(stored.userName, QString("Anna Berg"));
    QCOMPARE(stored.companyName, QString("Berg & Partner"));
    QCOMPARE(stored.security, MailAccount::Security::SslTls);
    QCOMPARE(stored.port, 465);
    QCOMPARE(stored.user, QString("anna"));
    QCOMPARE(stored.password, QString("geheim'; DROP TABLE"));

    vantrel::data::Database db;
    QVERIFY(db.open("User.mdb"));
    vantrel::data::QueryResult rows;
    QVERIFY(db.query(
        "SELECT TEXT01, TEXT02, TEXT03, TEXT04, TEXT05, TEXT06, NUMBER01 FROM TABLE03", {}, &rows));
    QCOMPARE(rows.rows.size(), 1);
    QCOMPARE(rows.rows.first(),
        QVariantList({ "Anna Berg", "Berg & Partner", "anna@example.org", "smtp.example.org",
            "SSL/TLS", "anna", 465 }));
    db.close();
    QFile userDatabase("User.mdb");
    QVERIFY(userDatabase.open(QIODevice::ReadOnly));
    QVERIFY(!userDatabase.readAll().contains("geheim"));

    struct stat status { };
    QCOMPARE(::stat("Mail.key", &status), 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0600));
    QCOMPARE(fileText("Mail.key"), QString("geheim'; DROP TABLE"));

    // A password typed anew keeps the file private; an emptied one removes it.
    stored.password = "neu";
    QVERIFY(MailAccount::save(stored, &error));
    QCOMPARE(::stat("Mail.key", &status), 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0600));
    stored.password.clear();
    QVERIFY(MailAccount::save(stored, &error));
    QVERIFY(!QFile::exists("Mail.key"));

    // Without User.mdb the settings cannot be read, and say so.
    QVERIFY(QFile::remove("User.mdb"));
    QVERIFY(!MailAccount::load(&stored, &error));
    QVERIFY2(error.startsWith("The mail settings could not be read: "), qPrintable(error));
}

void TestMailWindow::foldersOpenTheAgendaAndItemsAreSaved()
{
    auto& program = dynamic_cast<BuiltInMailProgram&>(MailProgram::instance());
    QString error;
    QVERIFY(program.showDefaultFolder(MailProgram::Folder::Inbox, &error));
    QCOMPARE(m_opener->opened, QList<QUrl>({ QUrl("mailto:") }));

    QVERIFY(program.showDefaultFolder(MailProgram::Folder::Calendar, &error));
    QCOMPARE(visibleWindows<AgendaWindow>().size(), 1);
    AgendaWindow* agenda = visibleWindows<AgendaWindow>().first();
    auto* pages = agenda->findChild<QTabWidget*>("Pages");
    QCOMPARE(pages->currentWidget()->objectName(), QString("Appointments"));
    QVERIFY(!agenda->findChild<QPushButton*>("OpenInDesktop")->isEnabled());
    QVERIFY(program.showDefaultFolder(MailProgram::Folder::Tasks, &error));
    QCOMPARE(visibleWindows<AgendaWindow>().size(), 1);
    QCOMPARE(pages->currentWidget()->objectName(), QString("Tasks"));

    // The contacts screen's appointment: 60 minutes, displayed for the user to finish.
    Appointment appointment = program.createAppointment();
    QCOMPARE(appointment.start, QDateTime(QDate(2026, 3, 14), QTime(10, 0)));
    appointment.subject = "Anna Berg Berg & Partner Hauptstraße 5";
    appointment.durationMinutes = 60;
    // A date typed as the other screens show it, the year in full, is taken as typed, also
    // where the system's short form has a two-digit year.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(program.display(appointment, &error));
    QCOMPARE(visibleWindows<AppointmentWindow>().size(), 1);
    AppointmentWindow* appointmentWindow = visibleWindows<AppointmentWindow>().first();
    QCOMPARE(appointmentWindow->findChild<QSpinBox*>("Duration")->value(), 60);
    auto* start = appointmentWindow->findChild<QDateTimeEdit*>("Start");
    start->findChild<QLineEdit*>()->setText("1/15/2027 11:00 AM");
    QLocale::setDefault(before);
    QCOMPARE(start->dateTime(), QDateTime(QDate(2027, 1, 15), QTime(11, 0)));
    QTest::mouseClick(appointmentWindow->findChild<QPushButton*>("Save"), Qt::LeftButton);
    QVERIFY(visibleWindows<AppointmentWindow>().isEmpty());

    Task task = program.createTask();
    QCOMPARE(task.dueDate, QDate(2026, 3, 14));
    task.subject = "Anna Berg Berg & Partner 0221 1234 ";
    QVERIFY(program.display(task, &error));
    TaskWindow* taskWindow = visibleWindows<TaskWindow>().first();
    QCOMPARE(taskWindow->findChild<QLineEdit*>("Subject")->text(), task.subject);
    QTest::mouseClick(taskWindow->findChild<QPushButton*>("Save"), Qt::LeftButton);

    // The reminder's task is saved without being displayed.
    Task reminder = program.createTask();
    reminder.subject = "Make an Appointment with Berg & Partner";
    reminder.dueDate = QDate(2026, 4, 13);
    QVERIFY(program.save(reminder, &error));

    QList<Appointment> appointments;
    QList<Task> tasks;
    QVERIFY(AgendaStore().read(&appointments, &tasks, &error));
    QCOMPARE(appointments.size(), 1);
    QCOMPARE(appointments.first().start, QDateTime(QDate(2027, 1, 15), QTime(11, 0)));
    QCOMPARE(appointments.first().durationMinutes, 60);
    QCOMPARE(appointments.first().subject, appointment.subject);
    QCOMPARE(tasks.size(), 2);
    QCOMPARE(tasks.last().subject, reminder.subject);

    // The open agenda shows what was saved, and hands its file to the desktop's calendar.
    QCOMPARE(agenda->findChild<QTreeWidget*>("Appointments")->topLevelItemCount(), 1);
    QCOMPARE(agenda->findChild<QTreeWidget*>("Tasks")->topLevelItemCount(), 2);
    QCOMPARE(agenda->findChild<QTreeWidget*>("Tasks")->topLevelItem(1)->text(1), reminder.subject);
    QTest::mouseClick(agenda->findChild<QPushButton*>("OpenInDesktop"), Qt::LeftButton);
    QCOMPARE(m_opener->opened.last(), QUrl::fromLocalFile(m_folder->filePath("Agenda.ics")));

    agenda->findChild<QTreeWidget*>("Tasks")->setCurrentItem(
        agenda->findChild<QTreeWidget*>("Tasks")->topLevelItem(0));
    m_messages->answers = { MessageBox::Yes };
    QTest::mouseClick(agenda->findChild<QPushButton*>("Delete"), Qt::LeftButton);
    QCOMPARE(agenda->findChild<QTreeWidget*>("Tasks")->topLevelItemCount(), 1);
    QVERIFY(AgendaStore().read(nullptr, &tasks, &error));
    QCOMPARE(tasks.size(), 1);

    // A damaged agenda file is named in the window, and an item cannot be saved over it.
    QFile damaged("Agenda.ics");
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("garbage");
    damaged.close();
    agenda->reload();
    QVERIFY(agenda->findChild<QLabel*>("Status")->text().contains("not a readable calendar file"));
    QVERIFY(program.display(program.createTask(), &error));
    taskWindow = visibleWindows<TaskWindow>().first();
    QTest::mouseClick(taskWindow->findChild<QPushButton*>("Save"), Qt::LeftButton);
    QVERIFY(taskWindow->isVisible());
    QVERIFY(
        m_messages->shown.last().text.startsWith("An error has occurred. The agenda 'Agenda.ics'"));
    QCOMPARE(fileText("Agenda.ics"), QString("garbage"));
}

void TestMailWindow::testsCanReplaceTheProgram()
{
    auto recording = std::make_unique<RecordingMailProgram>();
    RecordingMailProgram* program = recording.get();
    MailProgram::setInstance(std::move(recording));
    QCOMPARE(&MailProgram::instance(), program);

    // A mail window sends through whatever program is installed.
    auto* window = new MailWindow(mailTo("anna@example.org"));
    window->show();
    QTest::mouseClick(window->findChild<QPushButton*>("Send"), Qt::LeftButton);
    QCOMPARE(program->sentMails.size(), 1);
    QCOMPARE(program->sentMails.first().to, QString("anna@example.org"));

    QString error;
    QVERIFY(program->display(mailTo("bob@example.org"), &error));
    QVERIFY(program->saveActiveItemAsText("Temp/Vantrel Document.txt", &error));
    QVERIFY(fileText("Temp/Vantrel Document.txt").startsWith("To: bob@example.org\n"));
    program->failure = "Mail program missing";
    QVERIFY(!program->send(mailTo("x@example.org"), &error));
    QCOMPARE(error, QString("Mail program missing"));

    MailProgram::setInstance(nullptr);
    QVERIFY(dynamic_cast<BuiltInMailProgram*>(&MailProgram::instance()));
}

VANTREL_TEST_MAIN(TestMailWindow)
#include "TestMailWindow.moc"
