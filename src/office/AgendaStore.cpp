#include "office/AgendaStore.h"

#include "data/Failure.h"

#include <libical/ical.h>

#include <QFile>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>
#include <memory>
#include <optional>

namespace vantrel::office {

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Calendar = std::unique_ptr<icalcomponent, ComponentDeleter>;

struct ValueDeleter {
    void operator()(icalvalue* value) const { icalvalue_free(value); }
};

using data::fail;

Calendar newCalendar()
{
    Calendar calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Vantrel//Agenda//EN"));
    return calendar;
}

qsizetype valueStart(const QByteArray& line)
{
    bool quoted = false;
    for (qsizetype at = 0; at < line.size(); ++at) {
        if (line.at(at) == '"')
            quoted = !quoted;
        else if (line.at(at) == ':' && !quoted)
            return at + 1;
    }
    return -1;
}

// The first SUMMARY of every component directly inside the calendar, in file order,
// unfolded but still escaped.
QList<std::optional<QByteArray>> summariesInFile(const QByteArray& text)
{
    QList<QByteArray> lines;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!lines.isEmpty() && (line.startsWith(' ') || line.startsWith('\t')))
            lines.last() += line.mid(1);
        else
            lines.append(line);
    }
    QList<std::optional<QByteArray>> summaries;
    int depth = 0;
    for (const QByteArray& line : std::as_const(lines)) {
        qsizetype nameEnd = line.indexOf(':');
        const qsizetype parameters = line.indexOf(';');
        if (parameters >= 0 && (nameEnd < 0 || parameters < nameEnd))
            nameEnd = parameters;
        const QByteArray name = line.left(nameEnd).trimmed().toUpper();
        if (name == "BEGIN") {
            if (++depth == 2)
                summaries.append(std::nullopt);
        }
        else if (name == "END") {
            --depth;
        }
        else if (depth == 2 && name == "SUMMARY" && !summaries.last()) {
            const qsizetype start = valueStart(line);
            if (start >= 0)
                summaries.last() = line.mid(start);
        }
    }
    return summaries;
}

// libical trims the blanks at both ends of every value it reads, though in a text they
// belong to it (a task's subject ends in one). The summaries are taken again from the
// file; an item whose summary differs from libical's by more than those blanks keeps
// libical's, so a file the two read differently loses nothing.
void keepSummaryBlanks(const QByteArray& text, icalcomponent* calendar)
{
    const QList<std::optional<QByteArray>> summaries = summariesInFile(text);
    qsizetype index = 0;
    for (icalcomponent* item = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT);
         item && index < summaries.size();
         item = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT), ++index) {
        const std::optional<QByteArray>& written = summaries.at(index);
        if (!written)
            continue;
        // A summary of blanks alone comes back from libical as none at all.
        const char* parsed = icalcomponent_get_summary(item);
        const QByteArray parsedText = parsed ? QByteArray(parsed) : QByteArray();
        const std::unique_ptr<icalvalue, ValueDeleter> value(
            icalvalue_new_from_string(ICAL_TEXT_VALUE, written->constData()));
        const char* exact = value ? icalvalue_get_text(value.get()) : nullptr;
        if (exact && parsedText != exact && QByteArray(exact).trimmed() == parsedText)
            icalcomponent_set_summary(item, exact);
    }
}

bool loadCalendar(const QString& fileName, Calendar* calendar, QString* error)
{
    QFile file(fileName);
    if (!file.exists()) {
        *calendar = newCalendar();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return fail(error,
            QStringLiteral("The agenda '%1' could not be read: %2")
                .arg(fileName, file.errorString()));
    const QByteArray text = file.readAll();
    Calendar parsed(text.trimmed().isEmpty() ? nullptr : icalparser_parse_string(text.constData()));
    if (!parsed || icalcomponent_isa(parsed.get()) != ICAL_VCALENDAR_COMPONENT)
        return fail(error,
            QStringLiteral("The agenda '%1' is not a readable calendar file; it "
                           "was left unchanged.")
                .arg(fileName));
    // Properties libical could not parse come back as error notes; they are not written back.
    icalcomponent_strip_errors(parsed.get());
    keepSummaryBlanks(text, parsed.get());
    *calendar = std::move(parsed);
    return true;
}

bool saveCalendar(const QString& fileName, icalcomponent* calendar, QString* error)
{
    std::unique_ptr<char, void (*)(void*)> text(
        icalcomponent_as_ical_string_r(calendar), icalmemory_free_buffer);
    QSaveFile file(fileName);
    if (text && file.open(QIODevice::WriteOnly)) {
        file.write(text.get());
        if (file.commit())
            return true;
    }
    return fail(error,
        QStringLiteral("The agenda '%1' could not be written: %2")
            .arg(fileName, file.errorString()));
}

icalcomponent* findItem(icalcomponent* calendar, icalcomponent_kind kind, const QString& uid)
{
    const QByteArray wanted = uid.toUtf8();
    for (icalcomponent* item = icalcomponent_get_first_component(calendar, kind); item;
         item = icalcomponent_get_next_component(calendar, kind)) {
        const char* itemUid = icalcomponent_get_uid(item);
        if (itemUid && wanted == itemUid)
            return item;
    }
    return nullptr;
}

icalcomponent* itemToWrite(icalcomponent* calendar, icalcomponent_kind kind, const QString& uid)
{
    const QString itemUid
        = uid.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : uid;
    if (icalcomponent* existing = findItem(calendar, kind, itemUid))
        return existing;
    icalcomponent* item = icalcomponent_new(kind);
    icalcomponent_set_uid(item, itemUid.toUtf8().constData());
    icalcomponent_add_component(calendar, item);
    return item;
}

void removeProperties(icalcomponent* item, icalproperty_kind kind)
{
    while (icalproperty* property = icalcomponent_get_first_property(item, kind)) {
        icalcomponent_remove_property(item, property);
        icalproperty_free(property);
    }
}

void stampAndName(icalcomponent* item, const QString& subject)
{
    icalcomponent_set_dtstamp(
        item, icaltime_current_time_with_zone(icaltimezone_get_utc_timezone()));
    icalcomponent_set_summary(item, subject.toUtf8().constData());
}

// Local wall-clock time without a zone, as a desktop calendar shows it.
icaltimetype floatingTime(const QDateTime& value)
{
    const QDateTime local = value.toLocalTime();
    icaltimetype time = icaltime_null_time();
    time.year = local.date().year();
    time.month = local.date().month();
    time.day = local.date().day();
    time.hour = local.time().hour();
    time.minute = local.time().minute();
    time.second = local.time().second();
    return time;
}

icaltimetype dateOnly(const QDate& date)
{
    icaltimetype time = icaltime_null_date();
    time.year = date.year();
    time.month = date.month();
    time.day = date.day();
    return time;
}

QDateTime toDateTime(const icaltimetype& time)
{
    if (icaltime_is_null_time(time))
        return {};
    if (time.is_date)
        return QDateTime(QDate(time.year, time.month, time.day), QTime(0, 0));
    if (icaltime_is_utc(time) || time.zone) {
        const icaltimezone* zone = time.zone ? time.zone : icaltimezone_get_utc_timezone();
        return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(time, zone));
    }
    return QDateTime(
        QDate(time.year, time.month, time.day), QTime(time.hour, time.minute, time.second));
}

QString textOf(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

Appointment appointmentOf(icalcomponent* event)
{
    Appointment appointment;
    appointment.uid = textOf(icalcomponent_get_uid(event));
    appointment.subject = textOf(icalcomponent_get_summary(event));
    const icaltimetype start = icalcomponent_get_dtstart(event);
    appointment.start = toDateTime(start);
    const icaldurationtype duration = icalcomponent_get_duration(event);
    appointment.durationMinutes = icaldurationtype_is_null_duration(duration)
        ? (start.is_date ? 24 * 60 : 0)
        : icaldurationtype_as_int(duration) / 60;
    return appointment;
}

Task taskOf(icalcomponent* todo)
{
    Task task;
    task.uid = textOf(icalcomponent_get_uid(todo));
    task.subject = textOf(icalcomponent_get_summary(todo));
    task.dueDate = toDateTime(icalcomponent_get_due(todo)).date();
    return task;
}

} // namespace

AgendaStore::AgendaStore(const QString& fileName)
    : m_fileName(fileName)
{
}

QString AgendaStore::defaultFileName()
{
    return QStringLiteral("Agenda.ics");
}

bool AgendaStore::read(QList<Appointment>* appointments, QList<Task>* tasks, QString* error) const
{
    Calendar calendar;
    if (!loadCalendar(m_fileName, &calendar, error))
        return false;
    QList<Appointment> foundAppointments;
    for (icalcomponent* event
         = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT))
        foundAppointments.append(appointmentOf(event));
    QList<Task> foundTasks;
    for (icalcomponent* todo
         = icalcomponent_get_first_component(calendar.get(), ICAL_VTODO_COMPONENT);
         todo; todo = icalcomponent_get_next_component(calendar.get(), ICAL_VTODO_COMPONENT))
        foundTasks.append(taskOf(todo));

    std::stable_sort(foundAppointments.begin(), foundAppointments.end(),
        [](const Appointment& a, const Appointment& b) { return a.start < b.start; });
    // Tasks without a due date come last.
    std::stable_sort(foundTasks.begin(), foundTasks.end(), [](const Task& a, const Task& b) {
        if (a.dueDate.isValid() != b.dueDate.isValid())
            return a.dueDate.isValid();
        return a.dueDate < b.dueDate;
    });
    if (appointments)
        *appointments = foundAppointments;
    if (tasks)
        *tasks = foundTasks;
    return true;
}

bool AgendaStore::store(const Appointment& appointment, QString* error)
{
    if (!appointment.start.isValid())
        return fail(error, QStringLiteral("The appointment needs a start date and time."));
    if (appointment.durationMinutes < 0)
        return fail(error, QStringLiteral("The duration of an appointment cannot be negative."));
    Calendar calendar;
    if (!loadCalendar(m_fileName, &calendar, error))
        return false;
    icalcomponent* event = itemToWrite(calendar.get(), ICAL_VEVENT_COMPONENT, appointment.uid);
    stampAndName(event, appointment.subject);
    removeProperties(event, ICAL_DTSTART_PROPERTY);
    removeProperties(event, ICAL_DTEND_PROPERTY);
    removeProperties(event, ICAL_DURATION_PROPERTY);
    icalcomponent_add_property(event, icalproperty_new_dtstart(floatingTime(appointment.start)));
    icalcomponent_add_property(event,
        icalproperty_new_duration(icaldurationtype_from_int(appointment.durationMinutes * 60)));
    return saveCalendar(m_fileName, calendar.get(), error);
}

bool AgendaStore::store(const Task& task, QString* error)
{
    Calendar calendar;
    if (!loadCalendar(m_fileName, &calendar, error))
        return false;
    icalcomponent* todo = itemToWrite(calendar.get(), ICAL_VTODO_COMPONENT, task.uid);
    stampAndName(todo, task.subject);
    removeProperties(todo, ICAL_DUE_PROPERTY);
    if (task.dueDate.isValid())
        icalcomponent_add_property(todo, icalproperty_new_due(dateOnly(task.dueDate)));
    return saveCalendar(m_fileName, calendar.get(), error);
}

bool AgendaStore::remove(const QString& uid, QString* error)
{
    Calendar calendar;
    if (!loadCalendar(m_fileName, &calendar, error))
        return false;
    icalcomponent* item = findItem(calendar.get(), ICAL_VEVENT_COMPONENT, uid);
    if (!item)
        item = findItem(calendar.get(), ICAL_VTODO_COMPONENT, uid);
    if (!item)
        return fail(error, QStringLiteral("The item is no longer in the agenda."));
    icalcomponent_remove_component(calendar.get(), item);
    icalcomponent_free(item);
    return saveCalendar(m_fileName, calendar.get(), error);
}

} // namespace vantrel::office
