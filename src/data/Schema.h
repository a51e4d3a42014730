#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vantrel::data {

class Database;

// The column kinds; a column's name prefix gives its kind.
enum class ColumnKind { AutoNumber, Number, Text, Memo, Date };

struct ColumnDefinition {
    QString name;
    ColumnKind kind;
    QString defaultText; // empty: no default
};

struct TableDefinition {
    QString name;
    QList<ColumnDefinition> columns;
    int sinceVersion = 1; // the schema version whose migration creates the table
};

enum class DatabaseKind { Business, User };

ColumnKind columnKindOf(const QString& columnName);
// The declared type that stands for a kind in the file ("NUMERIC", "DATETEXT" ...).
QString declaredTypeOf(ColumnKind kind);

// Every table of CONTACT.mdb (and Temp.mdb) or of User.mdb as the current
// schema version has it.
const QList<TableDefinition>& tablesOf(DatabaseKind kind);

// The highest schema version; PRAGMA user_version of an up-to-date file.
int currentSchemaVersion(DatabaseKind kind);

// Brings an empty or older file up to the current version, inside one
// transaction. A file of the other kind, or from a newer build, is refused.
bool migrate(Database& db, DatabaseKind kind);

// Writes a new file with the schema and its initial rows (password row,
// workstation settings); an existing file at that path is refused.
bool createDatabaseFile(const QString& path, DatabaseKind kind, QString* error);

// Opens CONTACT.mdb or User.mdb by its bare name and migrates it.
bool openBusinessDatabase(Database& db, const QString& fileName = QStringLiteral("CONTACT.mdb"));
bool openUserDatabase(Database& db, const QString& fileName = QStringLiteral("User.mdb"));

inline constexpr char defaultSetupPassword[] = "Keystone";
inline constexpr char allCompanies[] = "All Companies";

} // namespace vantrel::data
