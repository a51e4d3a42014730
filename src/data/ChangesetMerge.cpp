#include "data/ChangesetMerge.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/Failure.h"
#include "data/TextRules.h"

#include <QHash>

#include <cstring>

#define SQLITE_ENABLE_SESSION
#define SQLITE_ENABLE_PREUPDATE_HOOK
#include <sqlite3.h>

namespace vantrel::data {

namespace {

int compareExactly(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const int common = std::min(lengthA, lengthB);
    const int order = common > 0 ? std::memcmp(a, b, size_t(common)) : 0;
    return order != 0 ? order : lengthA - lengthB;
}

// Two stored values are the same when a comparison of the files would not tell
// them apart: numbers by value (2 and 2.0 alike), text and blobs byte for byte.
bool sameValue(sqlite3_value* a, sqlite3_value* b)
{
    if (!a || !b)
        return a == b;
    const int typeA = sqlite3_value_type(a);
    const int typeB = sqlite3_value_type(b);
    const bool numberA = typeA == SQLITE_INTEGER || typeA == SQLITE_FLOAT;
    const bool numberB = typeB == SQLITE_INTEGER || typeB == SQLITE_FLOAT;
    if (numberA && numberB) {
        if (typeA == SQLITE_INTEGER && typeB == SQLITE_INTEGER)
            return sqlite3_value_int64(a) == sqlite3_value_int64(b);
        return sqlite3_value_double(a) == sqlite3_value_double(b);
    }
    if (typeA != typeB)
        return false;
    if (typeA == SQLITE_NULL)
        return true;
    const int length = sqlite3_value_bytes(a);
    if (length != sqlite3_value_bytes(b))
        return false;
    const void* bytesA = typeA == SQLITE_TEXT ? static_cast<const void*>(sqlite3_value_text(a))
                                              : sqlite3_value_blob(a);
    const void* bytesB = typeA == SQLITE_TEXT ? static_cast<const void*>(sqlite3_value_text(b))
                                              : sqlite3_value_blob(b);
    return length == 0 || std::memcmp(bytesA, bytesB, size_t(length)) == 0;
}

QVariant variantOf(sqlite3_value* value)
{
    if (!value)
        return {};
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_value_int64(value)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(value));
    case SQLITE_TEXT:
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
    case SQLITE_BLOB:
        return QByteArray(
            static_cast<const char*>(sqlite3_value_blob(value)), sqlite3_value_bytes(value));
    default:
        return {};
    }
}

// A row in a few words for the conflict list: its filled columns, long texts cut.
QString summaryOf(const QStringList& columns, const QVariantList& values)
{
    QStringList parts;
    for (int i = 0; i < values.size(); ++i) {
        const QString text = values.at(i).toString();
        const QString column = columns.value(i);
        if (text.isEmpty() || column.compare(QLatin1String("AUTONUMBER"), Qt::CaseInsensitive) == 0)
            continue;
        parts.append(column + QStringLiteral(": ")
            + (text.size() > 60 ? text.left(60) + QStringLiteral("...") : text));
    }
    return parts.join(QStringLiteral("; "));
}

const QString deletedValue = QStringLiteral("(deleted)");

QString ruleSameColumn()
{
    return QStringLiteral("Changed on both sides: the change of the workstation that "
                          "synchronized last was kept.");
}

QString ruleDeletedHere()
{
    return QStringLiteral(
        "Deleted on this workstation and changed on another: the changed row was kept.");
}

QString ruleDeletedThere()
{
    return QStringLiteral(
        "Changed on this workstation and deleted on another: the changed row was kept.");
}

QString ruleSameKey()
{
    return QStringLiteral("Added on two workstations with the same key: the row of the "
                          "workstation that synchronized last was kept.");
}

struct Change {
    QString table;
    int op = 0;
    int columnCount = 0;
    int keyColumn = 0;
};

Change changeOf(sqlite3_changeset_iter* iterator)
{
    const char* table = nullptr;
    Change change;
    int indirect = 0;
    sqlite3changeset_op(iterator, &table, &change.columnCount, &change.op, &indirect);
    change.table = QString::fromUtf8(table);
    unsigned char* primaryKey = nullptr;
    int count = 0;
    sqlite3changeset_pk(iterator, &primaryKey, &count);
    for (int i = 0; i < count; ++i) {
        if (primaryKey[i]) {
            change.keyColumn = i;
            break;
        }
    }
    return change;
}

sqlite3_value* oldValue(sqlite3_changeset_iter* iterator, int column)
{
    sqlite3_value* value = nullptr;
    return sqlite3changeset_old(iterator, column, &value) == SQLITE_OK ? value : nullptr;
}

sqlite3_value* newValue(sqlite3_changeset_iter* iterator, int column)
{
    sqlite3_value* value = nullptr;
    return sqlite3changeset_new(iterator, column, &value) == SQLITE_OK ? value : nullptr;
}

sqlite3_value* currentValue(sqlite3_changeset_iter* iterator, int column)
{
    sqlite3_value* value = nullptr;
    return sqlite3changeset_conflict(iterator, column, &value) == SQLITE_OK ? value : nullptr;
}

struct ServerContext {
    QHash<QString, QStringList> columns;
    ServerMerge* merge = nullptr;
    QList<QPair<QString, qint64>> putBack;
    QString refusal;
    QDateTime time;

    void record(const Change& change, qint64 key, const QString& column, const QVariant& kept,
        const QVariant& lost, const QString& rule)
    {
        merge->conflicts.append({ change.table, key, column, kept, lost, rule, time });
    }
};

QString refusalOf(int type, const QString& table)
{
    return type == SQLITE_CHANGESET_FOREIGN_KEY
        ? QStringLiteral("The changes break a link between the tables of the database.")
        : QStringLiteral("A change to the table %1 breaks a rule of the database.").arg(table);
}

int onServerConflict(void* context, int type, sqlite3_changeset_iter* iterator)
{
    auto* server = static_cast<ServerContext*>(context);
    const Change change = changeOf(iterator);
    const QStringList& names = server->columns[change.table];
    auto columnName = [&](int i) { return names.value(i, QStringLiteral("#%1").arg(i)); };

    if (type == SQLITE_CHANGESET_CONSTRAINT || type == SQLITE_CHANGESET_FOREIGN_KEY) {
        server->refusal = refusalOf(type, change.table);
        return SQLITE_CHANGESET_ABORT;
    }

    if (change.op == SQLITE_INSERT) {
        const qint64 key = sqlite3_value_int64(newValue(iterator, change.keyColumn));
        QList<int> differing;
        for (int i = 0; i < change.columnCount; ++i) {
            if (!sameValue(currentValue(iterator, i), newValue(iterator, i)))
                differing.append(i);
        }
        if (differing.isEmpty())
            return SQLITE_CHANGESET_OMIT;
        for (int i : std::as_const(differing)) {
            server->record(change, key, columnName(i), variantOf(newValue(iterator, i)),
                variantOf(currentValue(iterator, i)), ruleSameKey());
        }
        return SQLITE_CHANGESET_REPLACE;
    }

    const qint64 key = sqlite3_value_int64(oldValue(iterator, change.keyColumn));
    if (type == SQLITE_CHANGESET_NOTFOUND) {
        // A row deleted here and on the server is simply gone; a row changed here
        // and deleted there comes back whole once the changes are in.
        if (change.op == SQLITE_UPDATE)
            server->putBack.append({ change.table, key });
        return SQLITE_CHANGESET_OMIT;
    }

    if (change.op == SQLITE_DELETE) {
        QVariantList current;
        for (int i = 0; i < change.columnCount; ++i)
            current.append(variantOf(currentValue(iterator, i)));
        server->record(
            change, key, QString(), summaryOf(names, current), deletedValue, ruleDeletedHere());
        return SQLITE_CHANGESET_OMIT;
    }

    // An update whose old values the server no longer holds.
    bool done = true;
    for (int i = 0; i < change.columnCount; ++i) {
        sqlite3_value* wanted = newValue(iterator, i);
        if (wanted && !sameValue(currentValue(iterator, i), wanted))
            done = false;
    }
    if (done)
        return SQLITE_CHANGESET_OMIT;
    for (int i = 0; i < change.columnCount; ++i) {
        sqlite3_value* wanted = newValue(iterator, i);
        sqlite3_value* current = currentValue(iterator, i);
        if (wanted && !sameValue(current, wanted) && !sameValue(current, oldValue(iterator, i))) {
            server->record(change, key, columnName(i), variantOf(wanted), variantOf(current),
                ruleSameColumn());
        }
    }
    return SQLITE_CHANGESET_REPLACE;
}

struct ReplicaContext {
    QString refusal;
};

int onReplicaConflict(void* context, int type, sqlite3_changeset_iter* iterator)
{
    auto* replica = static_cast<ReplicaContext*>(context);
    switch (type) {
    case SQLITE_CHANGESET_DATA:
    case SQLITE_CHANGESET_CONFLICT:
        return SQLITE_CHANGESET_REPLACE;
    case SQLITE_CHANGESET_NOTFOUND:
        return SQLITE_CHANGESET_OMIT;
    default:
        replica->refusal = refusalOf(type, changeOf(iterator).table);
        return SQLITE_CHANGESET_ABORT;
    }
}

QString engineError(Database& db, int result)
{
    const char* message = sqlite3_errmsg(db.handle());
    return result != SQLITE_OK && message && sqlite3_errcode(db.handle()) != SQLITE_OK
        ? QString::fromUtf8(message)
        : QString::fromUtf8(sqlite3_errstr(result));
}

} // namespace

bool openForComparison(Database& db, const QString& path, QString* error)
{
    if (!db.open(path))
        return fail(error, db.lastError());
    if (sqlite3_create_collation_v2(
            db.handle(), textCollation, SQLITE_UTF8, nullptr, compareExactly, nullptr)
            != SQLITE_OK
        || !db.execute(QStringLiteral("PRAGMA query_only = 1"))) {
        const QString problem = db.lastError();
        db.close();
        return fail(error, problem);
    }
    return true;
}

bool diffTables(Database& db, const QString& fromSchema, const QStringList& tables,
    QByteArray* changeset, QString* error)
{
    sqlite3_session* session = nullptr;
    int result = sqlite3session_create(db.handle(), "main", &session);
    if (result != SQLITE_OK)
        return fail(error, engineError(db, result));
    const QByteArray from = fromSchema.toUtf8();
    for (const QString& table : tables) {
        const QByteArray name = table.toUtf8();
        // The diff of a table the session does not know yet records nothing in
        // this engine version, although it says it attaches the table itself.
        result = sqlite3session_attach(session, name.constData());
        char* message = nullptr;
        if (result == SQLITE_OK)
            result = sqlite3session_diff(session, from.constData(), name.constData(), &message);
        if (result != SQLITE_OK) {
            const QString problem = message ? QString::fromUtf8(message) : engineError(db, result);
            sqlite3_free(message);
            sqlite3session_delete(session);
            return fail(error, QStringLiteral("%1: %2").arg(table, problem));
        }
    }
    int size = 0;
    void* bytes = nullptr;
    result = sqlite3session_changeset(session, &size, &bytes);
    sqlite3session_delete(session);
    if (result != SQLITE_OK)
        return fail(error, engineError(db, result));
    *changeset = QByteArray(static_cast<const char*>(bytes), size);
    sqlite3_free(bytes);
    return true;
}

int changeCountOf(const QByteArray& changeset)
{
    sqlite3_changeset_iter* iterator = nullptr;
    if (sqlite3changeset_start(
            &iterator, int(changeset.size()), const_cast<char*>(changeset.constData()))
        != SQLITE_OK)
        return 0;
    int count = 0;
    while (sqlite3changeset_next(iterator) == SQLITE_ROW)
        ++count;
    sqlite3changeset_finalize(iterator);
    return count;
}

bool applyToServer(Database& server, const QString& replicaSchema, const QByteArray& changeset,
    ServerMerge* merge, QString* error)
{
    ServerContext context;
    context.merge = merge;
    context.time = Clock::now();
    sqlite3_changeset_iter* iterator = nullptr;
    if (sqlite3changeset_start(
            &iterator, int(changeset.size()), const_cast<char*>(changeset.constData()))
        == SQLITE_OK) {
        while (sqlite3changeset_next(iterator) == SQLITE_ROW) {
            const QString table = changeOf(iterator).table;
            if (!context.columns.contains(table))
                context.columns.insert(table, server.columnNames(table));
        }
        sqlite3changeset_finalize(iterator);
    }

    const int result = sqlite3changeset_apply(server.handle(), int(changeset.size()),
        const_cast<char*>(changeset.constData()), nullptr, onServerConflict, &context);
    if (result != SQLITE_OK)
        return fail(
            error, context.refusal.isEmpty() ? engineError(server, result) : context.refusal);

    for (const auto& [table, key] : std::as_const(context.putBack)) {
        const QStringList names = context.columns.value(table);
        QStringList quoted;
        for (const QString& name : names)
            quoted.append(quoteIdentifier(name));
        const QString list = quoted.join(QStringLiteral(", "));
        QueryResult row;
        if (!server.query(QStringLiteral("SELECT %1 FROM %2.%3 WHERE AUTONUMBER = ?")
                              .arg(list, quoteIdentifier(replicaSchema), quoteIdentifier(table)),
                { key }, &row)
            || !server.execute(
                QStringLiteral("INSERT OR REPLACE INTO main.%1 (%2) SELECT %2 FROM %3.%1 "
                               "WHERE AUTONUMBER = ?")
                    .arg(quoteIdentifier(table), list, quoteIdentifier(replicaSchema)),
                { key }))
            return fail(error, server.lastError());
        const QString kept = row.rows.isEmpty() ? QString() : summaryOf(names, row.rows.first());
        merge->conflicts.append(
            { table, key, QString(), kept, deletedValue, ruleDeletedThere(), context.time });
    }
    merge->applied = changeCountOf(changeset);
    return true;
}

bool applyToReplica(Database& replica, const QByteArray& changeset, QString* error)
{
    ReplicaContext context;
    const int result = sqlite3changeset_apply(replica.handle(), int(changeset.size()),
        const_cast<char*>(changeset.constData()), nullptr, onReplicaConflict, &context);
    if (result != SQLITE_OK)
        return fail(
            error, context.refusal.isEmpty() ? engineError(replica, result) : context.refusal);
    return true;
}

} // namespace vantrel::data
