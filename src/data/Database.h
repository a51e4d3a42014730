#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

struct sqlite3;

namespace vantrel::data {

class Statement;

// Rows of a query, fully read. Dates come back as QDate / QDateTime for columns
// declared as dates, so callers compare and show them as dates.
struct QueryResult {
    QStringList columns;
    QList<QVariantList> rows;

    int columnIndex(const QString& name) const;
    QVariant value(int row, const QString& column) const;
};

// An open database file. Values always travel as bound parameters, never as SQL
// text. Every operation reports failure through its return value and lastError(),
// which carries the engine's own description.
class Database {
public:
    Database();
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    enum class OpenMode { ExistingOnly, CreateIfMissing };

    // A bare name ("CONTACT.mdb") is found in the working folder, which is the
    // program folder while Vantrel runs.
    bool open(const QString& fileName, OpenMode mode = OpenMode::ExistingOnly);
    void close();
    bool isOpen() const;
    QString fileName() const;

    bool execute(const QString& sql, const QVariantList& parameters = {});
    // Several statements without parameters, as in a migration.
    bool executeScript(const QString& sql);
    bool query(const QString& sql, const QVariantList& parameters, QueryResult* result);
    // First column of the first row; an invalid QVariant when there is none.
    QVariant scalar(const QString& sql, const QVariantList& parameters = {});

    bool beginTransaction();
    bool commit();
    bool rollback();

    qint64 lastInsertId() const;
    int changedRows() const;
    QString lastError() const;
    bool tableExists(const QString& table);
    QStringList columnNames(const QString& table);

    sqlite3* handle() const;

    // Sets lastError() for failures found outside the engine (bad file, bad name).
    void setError(const QString& message);

private:
    friend class Statement;
    void takeEngineError();

    sqlite3* m_db = nullptr;
    QString m_fileName;
    QString m_lastError;
};

// Commits when told to; rolls back when it goes out of scope otherwise, so every
// early return of an operation leaves the file as it was.
class Transaction {
public:
    // An immediate start takes the write lock at once; a deferred one only when
    // the transaction first writes, so a file attached to it is not claimed early.
    enum class Start { Immediate, Deferred };

    explicit Transaction(Database& db, Start start = Start::Immediate);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return m_active; }
    bool commit();

private:
    Database& m_db;
    bool m_active = false;
};

// Quotes a table or column name for SQL text ("Name", inner quotes doubled), so
// names from spreadsheet headings such as COMPETITOR'S PRODUCT are safe.
QString quoteIdentifier(const QString& name);

} // namespace vantrel::data
