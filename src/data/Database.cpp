#include "data/Database.h"

#include "data/Statement.h"
#include "data/TextRules.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

namespace vantrel::data {

int QueryResult::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant QueryResult::value(int row, const QString& column) const
{
    const int index = columnIndex(column);
    if (row < 0 || row >= rows.size() || index < 0)
        return {};
    return rows.at(row).value(index);
}

Database::Database() = default;

Database::~Database()
{
    close();
}

Database::Database(Database&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr))
    , m_fileName(std::move(other.m_fileName))
    , m_lastError(std::move(other.m_lastError))
{
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        m_db = std::exchange(other.m_db, nullptr);
        m_fileName = std::move(other.m_fileName);
        m_lastError = std::move(other.m_lastError);
    }
    return *this;
}

bool Database::open(const QString& fileName, OpenMode mode)
{
    close();
    const QString path = QDir::current().absoluteFilePath(fileName);
    if (mode == OpenMode::ExistingOnly && !QFileInfo::exists(path)) {
        m_lastError = QStringLiteral("Could not find file '%1'.").arg(path);
        return false;
    }
    // Each connection is used by one thread at a time, so the engine's own locking
    // of the connection is only overhead.
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == OpenMode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    const QByteArray encoded = QFile::encodeName(path);
    if (sqlite3_open_v2(encoded.constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        takeEngineError();
        sqlite3_close(m_db);
        m_db = nullptr;
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 5000);
    // A misspelt column in double quotes must be an error, not a string.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    registerTextRules(m_db);
    m_fileName = path;
    // A file that is no database at all only shows itself at the first read.
    if (!scalar(QStringLiteral("PRAGMA schema_version")).isValid()) {
        const QString error = m_lastError;
        close();
        m_lastError = error;
        return false;
    }
    // Lists of a large customer base are read whole: the pages come from a
    // memory map of the file rather than one read call each, and a connection
    // keeps up to 32 MiB of them.
    execute(QStringLiteral("PRAGMA mmap_size = 268435456"));
    execute(QStringLiteral("PRAGMA cache_size = -32768"));
    m_lastError.clear();
    return true;
}

void Database::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_fileName.clear();
}

bool Database::isOpen() const
{
    return m_db != nullptr;
}

QString Database::fileName() const
{
    return m_fileName;
}

bool Database::execute(const QString& sql, const QVariantList& parameters)
{
    Statement statement(*this, sql);
    if (!statement.isValid() || !statement.bind(parameters))
        return false;
    while (statement.step()) { }
    return !statement.hasError();
}

bool Database::executeScript(const QString& sql)
{
    if (!m_db) {
        setError(QStringLiteral("The database is not open."));
        return false;
    }
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        m_lastError = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool Database::query(const QString& sql, const QVariantList& parameters, QueryResult* result)
{
    Statement statement(*this, sql);
    if (!statement.isValid() || !statement.bind(parameters))
        return false;
    QueryResult collected;
    const int columns = statement.columnCount();
    for (int c = 0; c < columns; ++c)
        collected.columns.append(statement.columnName(c));
    while (statement.step()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(statement.value(c));
        collected.rows.append(std::move(row));
    }
    if (statement.hasError())
        return false;
    if (result)
        *result = std::move(collected);
    return true;
}

QVariant Database::scalar(const QString& sql, const QVariantList& parameters)
{
    Statement statement(*this, sql);
    if (!statement.isValid() || !statement.bind(parameters) || !statement.step())
        return {};
    QVariant value = statement.value(0);
    // A NULL still counts as an answer, unlike "no row".
    return value.isValid() ? value : QVariant(QMetaType::fromType<QString>());
}

bool Database::beginTransaction()
{
    return execute(QStringLiteral("BEGIN IMMEDIATE"));
}

bool Database::commit()
{
    return execute(QStringLiteral("COMMIT"));
}

bool Database::rollback()
{
    return execute(QStringLiteral("ROLLBACK"));
}

qint64 Database::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

int Database::changedRows() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

QString Database::lastError() const
{
    return m_lastError;
}

bool Database::tableExists(const QString& table)
{
    return scalar(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type IN ('table','view') "
                                 "AND name = ? COLLATE NOCASE"),
        { table })
        .isValid();
}

QStringList Database::columnNames(const QString& table)
{
    QueryResult result;
    QStringList names;
    if (query(QStringLiteral("SELECT name FROM pragma_table_info(?)"), { table }, &result)) {
        for (const QVariantList& row : std::as_const(result.rows))
            names.append(row.value(0).toString());
    }
    return names;
}

sqlite3* Database::handle() const
{
    return m_db;
}

void Database::setError(const QString& message)
{
    m_lastError = message;
}

void Database::takeEngineError()
{
    m_lastError = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db))
                       : QStringLiteral("The database could not be opened.");
}

Transaction::Transaction(Database& db, Start start)
    : m_db(db)
    , m_active(
          start == Start::Immediate ? db.beginTransaction() : db.execute(QStringLiteral("BEGIN")))
{
}

Transaction::~Transaction()
{
    if (m_active) {
        const QString error = m_db.lastError();
        m_db.rollback();
        m_db.setError(error);
    }
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    m_active = false;
    if (m_db.commit())
        return true;
    const QString error = m_db.lastError();
    m_db.rollback();
    m_db.setError(error);
    return false;
}

QString quoteIdentifier(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace vantrel::data
