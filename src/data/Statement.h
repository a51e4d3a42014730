#pragma once

#include <QString>
#include <QVariant>

struct sqlite3_stmt;

namespace vantrel::data {

class Database;

// A prepared statement over an open database. Used where rows are read one by
// one (bound views, imports) rather than collected whole.
class Statement {
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    bool bind(const QVariantList& parameters);
    // True while a row is available; false at the end or on error (see hasError()).
    bool step();
    bool hasError() const { return m_error; }
    bool reset();

    int columnCount() const;
    QString columnName(int column) const;
    // The table and column a result column was read from; empty for computed ones.
    QString originTable(int column) const;
    QString originColumn(int column) const;
    QString declaredType(int column) const;
    QVariant value(int column) const;
    // For readers that keep many rows in the engine's own form.
    sqlite3_stmt* handle() const { return m_stmt; }

private:
    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_error = false;
};

// How dates and times are kept in the files: ISO 8601 text.
QString toStoredDate(const QDate& date);
QString toStoredDateTime(const QDateTime& dateTime);
// Reads stored date text back; returns an invalid QVariant for text that is no date.
QVariant fromStoredDate(const QString& text);

} // namespace vantrel::data
