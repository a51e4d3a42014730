#include "office/AgendaStore.h"

#include "TestFolder.h"

#include <libical/ical.h>

#include <QFile>
#include <QTest>

using namespace vantrel::office;

namespace {

QByteArray fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

Appointment appointment(
    const QString& uid, const QString& subject, const QDateTime& start, int minutes)
{
    Appointment item;
    item.uid = uid;
    item.subject = subject;
    item.start = start;
    item.durationMinutes = minutes;
    return item;
}

Task task(const QString& uid, const QString& subject, const QDate& due)
{
    Task item;
    item.uid = uid;
    item.subject = subject;
    item.dueDate = due;
    return item;
}

} // namespace

class TestAgendaStore : public QObject {
    Q_OBJECT
private slots:
    void itemsAreWrittenAndReadBack();
    void fileIsPlainICalendarForOtherPrograms();
    void itemsOfOtherProgramsAreKept();
    void blanksAroundSubjectsAreKept();
    void damagedFileIsNeverOverwritten();
    void badItemsAreRefused();
};

void TestAgendaStore::itemsAreWrittenAndReadBack()
{
    vantrel::test::TestFolder folder;
    AgendaStore store;
    QList<Appointment> appointments;
    QList<Task> tasks;
    QString error;
    QVERIFY(store.read(&appointments, &tasks, &error));
    QVERIFY(appointments.isEmpty() && tasks.isEmpty());

    const QString subject = "Jürgen Weiß Weiß & Söhne, Hauptstraße 5; Köln 0221 123";
    QVERIFY2(
        store.store(
            appointment("a1", subject, QDateTime(QDate(2026, 3, 20), QTime(14, 30)), 60), &error),
        qPrintable(error));
    QVERIFY(store.store(
        appointment("a2", "Earlier", QDateTime(QDate(2026, 3, 2), QTime(8, 0)), 15), &error));
    QVERIFY(
        store.store(task("t1", "Make an Appointment with Miller Ltd", QDate(2026, 4, 6)), &error));
    QVERIFY(store.store(task("t2", "No due date", QDate()), &error));
    QVERIFY(store.store(task("t3", "Follow up", QDate(2026, 3, 16)), &error));

    QVERIFY2(store.read(&appointments, &tasks, &error), qPrintable(error));
    QCOMPARE(appointments.size(), 2);
    QCOMPARE(appointments.at(0).uid, QString("a2"));
    QCOMPARE(appointments.at(1).subject, subject);
    QCOMPARE(appointments.at(1).start, QDateTime(QDate(2026, 3, 20), QTime(14, 30)));
    QCOMPARE(appointments.at(1).durationMinutes, 60);
    QCOMPARE(appointments.at(0).durationMinutes, 15);
    QCOMPARE(tasks.size(), 3);
    QCOMPARE(tasks.at(0).subject, QString("Follow up"));
    QCOMPARE(tasks.at(1).dueDate, QDate(2026, 4, 6));
    QCOMPARE(tasks.at(2).subject, QString("No due date"));
    QVERIFY(!tasks.at(2).dueDate.isValid());

    // The same uid replaces the item; a new one without uid gets its own.
    QVERIFY(store.store(
        appointment("a1", "Moved", QDateTime(QDate(2026, 3, 21), QTime(9, 0)), 90), &error));
    QVERIFY(store.store(task("t1", "Renamed", QDate(2026, 4, 7)), &error));
    QVERIFY(store.store(task(QString(), "Fresh", QDate(2026, 5, 1)), &error));
    QVERIFY(store.read(&appointments, &tasks, &error));
    QCOMPARE(appointments.size(), 2);
    QCOMPARE(appointments.at(1).subject, QString("Moved"));
    QCOMPARE(appointments.at(1).durationMinutes, 90);
    QCOMPARE(tasks.size(), 4);
    QCOMPARE(tasks.at(1).subject, QString("Renamed"));
    QVERIFY(!tasks.at(2).uid.isEmpty());

    QVERIFY(store.remove("a2", &error));
    QVERIFY(store.remove("t3", &error));
    QVERIFY(!store.remove("t3", &error));
    QCOMPARE(error, QString("The item is no longer in the agenda."));
    QVERIFY(store.read(&appointments, &tasks, &error));
    QCOMPARE(appointments.size(), 1);
    QCOMPARE(tasks.size(), 3);
}

void TestAgendaStore::fileIsPlainICalendarForOtherPrograms()
{
    vantrel::test::TestFolder folder;
    AgendaStore store;
    QString error;
    QVERIFY(store.store(
        appointment("a1", "Anna Berg, Köln", QDateTime(QDate(2026, 3, 20), QTime(14, 30)), 60),
        &error));
    QVERIFY(store.store(task("t1", "Follow up; call", QDate(2026, 3, 16)), &error));

    const QByteArray text = fileText(folder.filePath("Agenda.ics"));
    QVERIFY(text.startsWith("BEGIN:VCALENDAR\r\n"));
    QVERIFY(text.contains("VERSION:2.0"));
    QVERIFY(text.contains("DTSTART:20260320T143000\r\n"));
    QVERIFY(text.contains("DURATION:PT1H\r\n"));
    QVERIFY(text.contains("DUE;VALUE=DATE:20260316\r\n"));
    QVERIFY(text.contains("SUMMARY:Follow up\\; call\r\n"));

    // Read again from the text alone, by a parser that knows nothing of the store.
    icalcomponent* calendar = icalparser_parse_string(text.constData());
    QVERIFY(calendar);
    QCOMPARE(icalcomponent_count_errors(calendar), 0);
    icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
    QVERIFY(event);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(event)), QString("Anna Berg, Köln"));
    QCOMPARE(QString::fromUtf8(icalcomponent_get_uid(event)), QString("a1"));
    QCOMPARE(icaldurationtype_as_int(icalcomponent_get_duration(event)), 3600);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    QCOMPARE(start.hour, 14);
    QCOMPARE(start.minute, 30);
    QVERIFY(!icaltime_get_timezone(start));
    QVERIFY(!icaltime_is_null_time(icalcomponent_get_dtstamp(event)));
    icalcomponent* todo = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT);
    QVERIFY(todo);
    const icaltimetype due = icalcomponent_get_due(todo);
    QVERIFY(due.is_date);
    QCOMPARE(due.day, 16);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(todo)), QString("Follow up; call"));
    icalcomponent_free(calendar);
}

void TestAgendaStore::itemsOfOtherProgramsAreKept()
{
    vantrel::test::TestFolder folder;
    writeFile(folder.filePath("Agenda.ics"),
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Calendar//EN\r\n"
        "BEGIN:VEVENT\r\nUID:other-1\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Dentist\r\n"
        "LOCATION:Main Street 1\r\nDTSTART:20260310T130000Z\r\nDTEND:20260310T134500Z\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Dentist\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
        "END:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:other-2\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Holiday\r\n"
        "DTSTART;VALUE=DATE:20260401\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n");
    AgendaStore store;
    QList<Appointment> appointments;
    QString error;
    QVERIFY2(store.read(&appointments, nullptr, &error), qPrintable(error));
    QCOMPARE(appointments.size(), 2);
    // A UTC time shows in local time; DTEND gives the duration; an all-day event lasts a day.
    QCOMPARE(appointments.at(0).start,
        QDateTime(QDate(2026, 3, 10), QTime(13, 0), Qt::UTC).toLocalTime());
    QCOMPARE(appointments.at(0).durationMinutes, 45);
    QCOMPARE(appointments.at(1).start, QDateTime(QDate(2026, 4, 1), QTime(0, 0)));
    QCOMPARE(appointments.at(1).durationMinutes, 24 * 60);

    Appointment dentist = appointments.at(0);
    dentist.subject = "Dentist (Dr. Kahn)";
    QVERIFY(store.store(dentist, &error));
    QVERIFY(store.store(task("t1", "Ours", QDate(2026, 3, 16)), &error));
    const QByteArray text = fileText(folder.filePath("Agenda.ics"));
    QVERIFY(text.contains("LOCATION:Main Street 1"));
    QVERIFY(text.contains("BEGIN:VALARM"));
    QVERIFY(text.contains("PRODID:-//Other//Calendar//EN"));
    QVERIFY(text.contains("UID:other-2"));
    QVERIFY(store.read(&appointments, nullptr, &error));
    QCOMPARE(appointments.at(0).subject, QString("Dentist (Dr. Kahn)"));
    QCOMPARE(appointments.at(0).durationMinutes, 45);
}

void TestAgendaStore::blanksAroundSubjectsAreKept()
{
    vantrel::test::TestFolder folder;
    AgendaStore store;
    QString error;
    // A task's subject ends in one blank; a long one is folded over two lines in the file.
    const QString taskSubject = "Mary Smith Acme Ltd 0221 123 0171 456 ";
    const QString longSubject = "Maryanne Smithsonian-Whitfield Acme International Holdings "
                                "Limited, Köln; 0044 20 7946 0000 0044 7700 900000 ";
    const QString appointmentSubject = "  Anna Berg  Berg, Söhne\\n ";
    QVERIFY(store.store(task("t1", taskSubject, QDate(2026, 3, 16)), &error));
    QVERIFY(store.store(task("t2", longSubject, QDate(2026, 3, 17)), &error));
    QVERIFY(store.store(task("t3", " ", QDate(2026, 3, 18)), &error));
    QVERIFY(store.store(
        appointment("a1", appointmentSubject, QDateTime(QDate(2026, 3, 20), QTime(9, 0)), 60),
        &error));
    QVERIFY(fileText(folder.filePath("Agenda.ics")).contains("0171 456 \r\n"));

    QList<Appointment> appointments;
    QList<Task> tasks;
    QVERIFY2(store.read(&appointments, &tasks, &error), qPrintable(error));
    QCOMPARE(tasks.size(), 3);
    QCOMPARE(tasks.at(0).subject, taskSubject);
    QCOMPARE(tasks.at(1).subject, longSubject);
    QCOMPARE(tasks.at(2).subject, QString(" "));
    QCOMPARE(appointments.size(), 1);
    QCOMPARE(appointments.at(0).subject, appointmentSubject);

    // Storing and removing other items rewrites the file: the blanks stay.
    QVERIFY(store.store(task("t4", "Other", QDate(2026, 3, 19)), &error));
    QVERIFY(store.remove("t3", &error));
    QVERIFY(store.read(&appointments, &tasks, &error));
    QCOMPARE(tasks.at(0).subject, taskSubject);
    QCOMPARE(tasks.at(1).subject, longSubject);
    QCOMPARE(appointments.at(0).subject, appointmentSubject);

    // An alarm's summary inside an item, parameters with a colon and folding by another
    // program are told apart from the item's own summary.
    writeFile(folder.filePath("Agenda.ics"),
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Calendar//EN\r\n"
        "BEGIN:VEVENT\r\nUID:other-1\r\nDTSTAMP:20260101T000000Z\r\n"
        "BEGIN:VALARM\r\nACTION:EMAIL\r\nSUMMARY: Alarm \r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
        "SUMMARY;ALTREP=\"cid:a;b:c\":Dentist\\, Dr. \r\n\t Kahn \r\n"
        "DTSTART:20260310T130000Z\r\nEND:VEVENT\r\n"
        "BEGIN:VTODO\r\nUID:other-2\r\nDTSTAMP:20260101T000000Z\r\nEND:VTODO\r\n"
        "END:VCALENDAR\r\n");
    QVERIFY2(store.read(&appointments, &tasks, &error), qPrintable(error));
    QCOMPARE(appointments.at(0).subject, QString("Dentist, Dr.  Kahn "));
    QCOMPARE(tasks.at(0).subject, QString());
}

void TestAgendaStore::damagedFileIsNeverOverwritten()
{
    vantrel::test::TestFolder folder;
    const QByteArray damaged = "This is a shopping list, not a calendar.\n";
    writeFile(folder.filePath("Agenda.ics"), damaged);
    AgendaStore store;
    QList<Appointment> appointments;
    QString error;
    QVERIFY(!store.read(&appointments, nullptr, &error));
    QCOMPARE(error,
        QString("The agenda 'Agenda.ics' is not a readable calendar file; it was left unchanged."));
    error.clear();
    QVERIFY(!store.store(task("t1", "Lost?", QDate(2026, 3, 16)), &error));
    QVERIFY(error.contains("left unchanged"));
    QVERIFY(!store.remove("t1", &error));
    QCOMPARE(fileText(folder.filePath("Agenda.ics")), damaged);

    // A folder in the way of the file cannot be written: the reason is given.
    QVERIFY(QDir(folder.path()).mkpath("Blocked.ics/inner"));
    AgendaStore blocked("Blocked.ics");
    QVERIFY(!blocked.store(task("t1", "x", QDate(2026, 3, 16)), &error));
    QVERIFY2(error.startsWith("The agenda 'Blocked.ics' could not be"), qPrintable(error));
}

void TestAgendaStore::badItemsAreRefused()
{
    vantrel::test::TestFolder folder;
    AgendaStore store;
    QString error;
    QVERIFY(!store.store(appointment("a1", "No start", QDateTime(), 60), &error));
    QCOMPARE(error, QString("The appointment needs a start date and time."));
    QVERIFY(!store.store(
        appointment("a1", "Negative", QDateTime(QDate(2026, 3, 1), QTime(9, 0)), -5), &error));
    QVERIFY(!QFile::exists(folder.filePath("Agenda.ics")));
}

QTEST_GUILESS_MAIN(TestAgendaStore)
#include "TestAgendaStore.moc"
