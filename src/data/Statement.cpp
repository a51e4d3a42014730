#include "data/Statement.h"

#include "data/Database.h"

#include <QDate>
#include <QDateTime>

#include <sqlite3.h>

namespace vantrel::data {

namespace {

bool isDateType(const char* declared)
{
    return declared && QByteArray(declared).toUpper().contains("DATE");
}

} // namespace

Statement::Statement(Database& db, const QString& sql)
    : m_db(db)
{
    if (!db.handle()) {
        db.setError(QStringLiteral("The database is not open."));
        m_error = true;
        return;
    }
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db.handle(), text.constData(), int(text.size()), &m_stmt, nullptr)
        != SQLITE_OK) {
        db.takeEngineError();
        m_stmt = nullptr;
        m_error = true;
    }
    else if (!m_stmt) {
        db.setError(QStringLiteral("The statement is empty."));
        m_error = true;
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

bool Statement::bind(const QVariantList& parameters)
{
    if (!m_stmt)
        return false;
    const int expected = sqlite3_bind_parameter_count(m_stmt);
    if (expected != parameters.size()) {
        m_db.setError(QStringLiteral("The statement expects %1 values, %2 were given.")
                          .arg(expected)
                          .arg(parameters.size()));
        m_error = true;
        return false;
    }
    for (int i = 0; i < parameters.size(); ++i) {
        const QVariant& value = parameters.at(i);
        const int index = i + 1;
        int rc = SQLITE_OK;
        if (value.isNull() && value.typeId() != QMetaType::QString) {
            rc = sqlite3_bind_null(m_stmt, index);
        }
        else {
            switch (value.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Long:
            case QMetaType::Short:
                rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = value.toByteArray();
                rc = sqlite3_bind_blob64(
                    m_stmt, index, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDate:
            case QMetaType::QDateTime: {
                const QString text = value.typeId() == QMetaType::QDate
                    ? toStoredDate(value.toDate())
                    : toStoredDateTime(value.toDateTime());
                const QByteArray utf8 = text.toUtf8();
                rc = sqlite3_bind_text64(
                    m_stmt, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            default: {
                const QByteArray utf8 = value.toString().toUtf8();
                rc = sqlite3_bind_text64(
                    m_stmt, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
            }
            }
        }
        if (rc != SQLITE_OK) {
            m_db.takeEngineError();
            m_error = true;
            return false;
        }
    }
    return true;
}

bool Statement::step()
{
    if (!m_stmt || m_error)
        return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        m_db.takeEngineError();
        m_error = true;
    }
    return false;
}

bool Statement::reset()
{
    m_error = false;
    return m_stmt && sqlite3_reset(m_stmt) == SQLITE_OK;
}

int Statement::columnCount() const
{
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString Statement::originTable(int column) const
{
    return QString::fromUtf8(sqlite3_column_table_name(m_stmt, column));
}

QString Statement::originColumn(int column) const
{
    return QString::fromUtf8(sqlite3_column_origin_name(m_stmt, column));
}

QString Statement::declaredType(int column) const
{
    return QString::fromUtf8(sqlite3_column_decltype(m_stmt, column));
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, column)));
    }
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        const QString string = QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
        if (isDateType(sqlite3_column_decltype(m_stmt, column))) {
            const QVariant date = fromStoredDate(string);
            if (date.isValid())
                return date;
        }
        return QVariant(string);
    }
    default:
        return {};
    }
}

QString toStoredDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QString toStoredDateTime(const QDateTime& dateTime)
{
    if (dateTime.time() == QTime(0, 0))
        return toStoredDate(dateTime.date());
    return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant fromStoredDate(const QString& text)
{
    if (text.size() == 10) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? QVariant(date) : QVariant();
    }
    QDateTime dateTime = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dateTime.isValid())
        dateTime = QDateTime::fromString(text, Qt::ISODate);
    return dateTime.isValid() ? QVariant(dateTime) : QVariant();
}

} // namespace vantrel::data
