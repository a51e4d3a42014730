#include "data/Schema.h"

#include "data/Database.h"
#include "data/Failure.h"
#include "data/TextRules.h"

#include <QFileInfo>

#include <functional>

namespace vantrel::data {

namespace {

constexpr int businessApplicationId = 0x56414e54; // "VANT"
constexpr int userApplicationId = 0x56414e55;

QList<ColumnDefinition> columns(const QStringList& names)
{
    QList<ColumnDefinition> result { { QStringLiteral("AUTONUMBER"), ColumnKind::AutoNumber, {} } };
    for (const QString& name : names)
        result.append({ name, columnKindOf(name), {} });
    return result;
}

QStringList split(const char* names)
{
    return QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QList<TableDefinition> makeBusinessTables()
{
    QList<TableDefinition> tables;
    TableDefinition companies { QStringLiteral("TABLE01"),
        columns(split("TEXT01 TEXT02 TEXT03 TEXT04 TEXT05 TEXT06 TEXT07 TEXT08 TEXT09 TEXT10 "
                      "TEXT11 TEXT12 TEXT13 TEXT14 TEXT15 TEXT17 TEXT18 TEXT19 TEXT20 TEXT21 "
                      "NUMBER01 NUMBER02 DATE01 DATE03 MEMO01 MEMO02")) };
    for (ColumnDefinition& column : companies.columns) {
        // Companies inserted with only a few columns (the mail-program import)
        // must still show on the companies screen.
        if (column.name == QLatin1String("TEXT20"))
            column.defaultText = QStringLiteral("Company");
    }
    tables.append(companies);
    tables.append({ QStringLiteral("TABLE02"), columns(split("TEXT01 TEXT02")) });
    tables.append({ QStringLiteral("TABLE03"),
        columns(split("NUMBER01 TEXT01 TEXT02 TEXT03 TEXT04 TEXT05 TEXT06 TEXT07 "
                      "TEXT08 TEXT09 TEXT10 TEXT11 MEMO01 MEMO02 DATE03")) });
    tables.append({ QStringLiteral("TABLE05"), columns(split("NUMBER01 TEXT01 DATE01 MEMO01")) });
    tables.append({ QStringLiteral("TABLE06"),
        columns(split("NUMBER01 DATE01 TEXT01 TEXT02 TEXT03 TEXT04 TEXT05 TEXT06 "
                      "DATE02")) });
    tables.append({ QStringLiteral("TABLE07"), columns(split("NUMBER01 NUMBER02 DATE01 MEMO01")) });
    tables.append(
        { QStringLiteral("TABLE08"), columns(split("NUMBER01 DATE01 MEMO01 TEXT01 TEXT03")) });
    tables.append({ QStringLiteral("TABLE09"), columns(split("NUMBER01 DATE01 MEMO01 TEXT01")) });
    tables.append({ QStringLiteral("TABLE10"),
        columns(split("NUMBER01 DATE01 TEXT02 TEXT03 NUMBER02 TEXT04")) });
    tables.append(
        { QStringLiteral("TABLE11"), columns(split("TEXT01 TEXT02 TEXT03 TEXT04 TEXT05 MEMO01")) });
    tables.append(
        { QStringLiteral("TABLE13"), columns(split("TEXT01 TEXT02 TEXT03 TEXT04 MEMO01")) });
    for (int number : { 1, 2, 3, 4, 5, 6, 8, 9, 10, 12, 13 }) {
        tables.append({ QStringLiteral("MT%1").arg(number, 2, 10, QLatin1Char('0')),
            columns({ QStringLiteral("TEXT01") }) });
    }
    return tables;
}

QList<TableDefinition> makeUserTables()
{
    return {
        { QStringLiteral("TABLE01"), columns(split("DATE01 TEXT09")) },
        { QStringLiteral("TABLE02"), columns(split("TEXT03 TEXT04 TEXT07 TEXT08 TEXT09 TEXT10")) },
        // The mail account of this workstation: the user's name, company and
        // address, and the SMTP host, security and login; port in NUMBER01.
        { QStringLiteral("TABLE03"),
            columns(split("TEXT01 TEXT02 TEXT03 TEXT04 TEXT05 TEXT06 NUMBER01")), 2 },
        // Where the main window stood when the program last ended on this workstation: left,
        // top, width and height of its normal frame, and 1 when it was maximized.
        { QStringLiteral("TABLE04"), columns(split("NUMBER01 NUMBER02 NUMBER03 NUMBER04 NUMBER05")),
            3 },
        // The conflicts of the last synchronization: table, key, column, the value
        // kept and the value that lost, the rule that decided and when.
        { QStringLiteral("TABLE05"),
            columns(split("TEXT01 NUMBER01 TEXT02 MEMO01 MEMO02 TEXT03 DATE01")), 4 },
    };
}

QString createTableStatement(const TableDefinition& table)
{
    QStringList definitions;
    for (const ColumnDefinition& column : table.columns) {
        QString definition = column.name + QLatin1Char(' ') + declaredTypeOf(column.kind);
        if (column.kind == ColumnKind::AutoNumber)
            definition += QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
        if (column.kind == ColumnKind::Text || column.kind == ColumnKind::Memo)
            definition += QStringLiteral(" COLLATE ") + QLatin1String(textCollation);
        if (!column.defaultText.isEmpty())
            definition += QStringLiteral(" DEFAULT '%1'").arg(column.defaultText);
        definitions.append(definition);
    }
    return QStringLiteral("CREATE TABLE %1 (%2);")
        .arg(table.name, definitions.join(QStringLiteral(", ")));
}

using Migration = std::function<bool(Database&)>;

Migration createTablesOfVersion(DatabaseKind kind, int version)
{
    return [kind, version](Database& db) {
        for (const TableDefinition& table : tablesOf(kind)) {
            if (table.sinceVersion == version && !db.execute(createTableStatement(table)))
                return false;
        }
        return true;
    };
}

// Step N brings a file from version N-1 to N. Steps are only ever appended and
// never changed, so files of every older build open.
QList<Migration> migrationsOf(DatabaseKind kind)
{
    QList<Migration> steps { createTablesOfVersion(kind, 1) };
    if (kind == DatabaseKind::Business) {
        // The lists every screen opens: companies by state and name, a company's
        // children by their owner.
        steps.append([](Database& db) {
            return db.executeScript(
                QStringLiteral("CREATE INDEX TABLE01_STATE_NAME ON TABLE01 (TEXT20, TEXT01);"
                               "CREATE INDEX TABLE03_COMPANY ON TABLE03 (NUMBER01, TEXT02);"
                               "CREATE INDEX TABLE05_COMPANY ON TABLE05 (NUMBER01);"
                               "CREATE INDEX TABLE06_COMPANY ON TABLE06 (NUMBER01);"
                               "CREATE INDEX TABLE07_PROJECT ON TABLE07 (NUMBER01);"
                               "CREATE INDEX TABLE08_COMPANY ON TABLE08 (NUMBER01, DATE01);"
                               "CREATE INDEX TABLE09_COMPANY ON TABLE09 (NUMBER01, DATE01);"
                               "CREATE INDEX TABLE10_COMPANY ON TABLE10 (NUMBER01);"));
        });
    }
    if (kind == DatabaseKind::Business) {
        // The call report screens list every report newest first; in the order of
        // this index the engine reads them without sorting 4 KB rows (the key
        // AUTONUMBER orders reports of one day).
        steps.append([](Database& db) {
            return db.execute(QStringLiteral("CREATE INDEX TABLE08_DATE ON TABLE08 (DATE01)"));
        });
    }
    if (kind == DatabaseKind::User) {
        // The mail account row comes with its table, so older files get it too.
        steps.append([createAccount = createTablesOfVersion(kind, 2)](Database& db) {
            return createAccount(db)
                && db.execute(QStringLiteral("INSERT INTO TABLE03 (NUMBER01) VALUES (587)"));
        });
        steps.append(createTablesOfVersion(kind, 3));
        steps.append(createTablesOfVersion(kind, 4));
    }
    return steps;
}

bool insertInitialRows(Database& db, DatabaseKind kind)
{
    if (kind == DatabaseKind::Business) {
        return db.execute(QStringLiteral("INSERT INTO TABLE02 (TEXT02) VALUES (?)"),
            { QString::fromLatin1(defaultSetupPassword) });
    }
    return db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT09) VALUES (NULL)"))
        && db.execute(QStringLiteral("INSERT INTO TABLE02 (TEXT03) VALUES (?)"),
            { QString::fromLatin1(allCompanies) });
}

int applicationIdOf(DatabaseKind kind)
{
    return kind == DatabaseKind::Business ? businessApplicationId : userApplicationId;
}

bool openAndMigrate(Database& db, const QString& fileName, DatabaseKind kind)
{
    return db.open(fileName, Database::OpenMode::ExistingOnly) && migrate(db, kind);
}

} // namespace

ColumnKind columnKindOf(const QString& columnName)
{
    if (columnName.startsWith(QLatin1String("AUTONUMBER"), Qt::CaseInsensitive))
        return ColumnKind::AutoNumber;
    if (columnName.startsWith(QLatin1String("NUMBER"), Qt::CaseInsensitive))
        return ColumnKind::Number;
    if (columnName.startsWith(QLatin1String("MEMO"), Qt::CaseInsensitive))
        return ColumnKind::Memo;
    if (columnName.startsWith(QLatin1String("DATE"), Qt::CaseInsensitive))
        return ColumnKind::Date;
    return ColumnKind::Text;
}

QString declaredTypeOf(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::AutoNumber:
        return QStringLiteral("INTEGER");
    case ColumnKind::Number:
        return QStringLiteral("NUMERIC");
    case ColumnKind::Memo:
        return QStringLiteral("LONGTEXT");
    case ColumnKind::Date:
        // Contains "TEXT" so the engine keeps ISO dates as text, and "DATE" so
        // reads hand them back as dates.
        return QStringLiteral("DATETEXT");
    case ColumnKind::Text:
        break;
    }
    return QStringLiteral("TEXT");
}

const QList<TableDefinition>& tablesOf(DatabaseKind kind)
{
    static const QList<TableDefinition> business = makeBusinessTables();
    static const QList<TableDefinition> user = makeUserTables();
    return kind == DatabaseKind::Business ? business : user;
}

int currentSchemaVersion(DatabaseKind kind)
{
    return int(migrationsOf(kind).size());
}

bool migrate(Database& db, DatabaseKind kind)
{
    const int version = db.scalar(QStringLiteral("PRAGMA user_version")).toInt();
    const int applicationId = db.scalar(QStringLiteral("PRAGMA application_id")).toInt();
    const QList<Migration> steps = migrationsOf(kind);
    if (version > 0 && applicationId != applicationIdOf(kind)) {
        db.setError(QStringLiteral("'%1' is not a %2 database.")
                        .arg(QFileInfo(db.fileName()).fileName(),
                            kind == DatabaseKind::Business ? QStringLiteral("business")
                                                           : QStringLiteral("workstation")));
        return false;
    }
    if (version > steps.size()) {
        db.setError(QStringLiteral("'%1' was made by a newer version of Vantrel.")
                        .arg(QFileInfo(db.fileName()).fileName()));
        return false;
    }
    if (version == steps.size())
        return true;
    Transaction transaction(db);
    if (!transaction.isActive())
        return false;
    for (int step = version; step < steps.size(); ++step) {
        if (!steps.at(step)(db))
            return false;
    }
    if (!db.execute(QStringLiteral("PRAGMA user_version = %1").arg(steps.size()))
        || !db.execute(QStringLiteral("PRAGMA application_id = %1").arg(applicationIdOf(kind))))
        return false;
    return transaction.commit();
}

bool createDatabaseFile(const QString& path, DatabaseKind kind, QString* error)
{
    if (QFileInfo::exists(path))
        return fail(error, QStringLiteral("'%1' exists already.").arg(path));
    Database db;
    if (!db.open(path, Database::OpenMode::CreateIfMissing) || !migrate(db, kind))
        return fail(error, db.lastError());
    Transaction transaction(db);
    if (!insertInitialRows(db, kind) || !transaction.commit())
        return fail(error, db.lastError());
    return true;
}

bool openBusinessDatabase(Database& db, const QString& fileName)
{
    return openAndMigrate(db, fileName, DatabaseKind::Business);
}

bool openUserDatabase(Database& db, const QString& fileName)
{
    return openAndMigrate(db, fileName, DatabaseKind::User);
}

} // namespace vantrel::data
