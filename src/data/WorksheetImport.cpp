#include "data/WorksheetImport.h"

#include "data/CellReference.h"
#include "data/Database.h"
#include "data/Failure.h"
#include "data/SheetBuilder.h"
#include "data/Statement.h"
#include "data/TextRules.h"
#include "data/WorkbookReader.h"

#include <QDateTime>
#include <QDir>
#include <QHash>

namespace vantrel::data {

namespace {

enum class ColumnType { Empty, Number, Date, Text };

// SQLite's default limit on the columns of a table.
constexpr int maxImportColumns = 2000;

ColumnType typeOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return ColumnType::Number;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return ColumnType::Date;
    default:
        return ColumnType::Text;
    }
}

// A value as a text column keeps it: as the spreadsheet shows it, dates in ISO form.
QString textOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case QMetaType::QDate:
        return toStoredDate(value.toDate());
    case QMetaType::QDateTime:
        return toStoredDateTime(value.toDateTime());
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    default:
        return value.toString();
    }
}

QString declarationOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Number:
        return QStringLiteral("NUMERIC");
    case ColumnType::Date:
        return QStringLiteral("DATETEXT");
    case ColumnType::Empty:
    case ColumnType::Text:
        break;
    }
    return QStringLiteral("TEXT COLLATE ") + QLatin1String(textCollation);
}

QVariant storedValue(const QVariant& value, ColumnType type)
{
    if (SheetBuilder::isEmptyValue(value))
        return {};
    if (type == ColumnType::Text)
        return QVariant(textOf(value));
    if (value.typeId() == QMetaType::Bool)
        return QVariant(qlonglong(value.toBool() ? 1 : 0));
    return value;
}

struct Column {
    qsizetype index; // in the worksheet
    QString name;
    ColumnType type = ColumnType::Empty;
};

// Finds the header row and names and types the columns; false with a message
// when the sheet cannot become a table.
bool describeColumns(const Worksheet& sheet, const QString& path, qsizetype* headerRow,
    QList<Column>* columns, QString* error)
{
    const QString where = QStringLiteral("The worksheet '%1' of the workbook '%2'")
                              .arg(sheet.name, QDir::toNativeSeparators(path));
    qsizetype header = 0;
    while (header < sheet.rows.size()
        && std::all_of(sheet.rows.at(header).cbegin(), sheet.rows.at(header).cend(),
            SheetBuilder::isEmptyValue))
        ++header;
    if (header == sheet.rows.size()) {
        *error = QStringLiteral("%1 is empty.").arg(where);
        return false;
    }
    qsizetype width = 0;
    for (qsizetype r = header; r < sheet.rows.size(); ++r)
        width = std::max(width, sheet.rows.at(r).size());

    const QVariantList& headings = sheet.rows.at(header);
    QHash<QString, qsizetype> seen;
    for (qsizetype c = 0; c < width; ++c) {
        Column column { c, textOf(headings.value(c)).trimmed() };
        for (qsizetype r = header + 1; r < sheet.rows.size(); ++r) {
            const QVariant& value = sheet.rows.at(r).value(c);
            if (SheetBuilder::isEmptyValue(value))
                continue;
            const ColumnType type = typeOf(value);
            column.type
                = column.type == ColumnType::Empty || column.type == type ? type : ColumnType::Text;
        }
        if (column.name.isEmpty()) {
            if (column.type == ColumnType::Empty)
                continue;
            *error = QStringLiteral("%1 has values in column %2 but no heading above them.")
                         .arg(where, CellReference::columnName(int(c)));
            return false;
        }
        const QString key = column.name.toCaseFolded();
        if (seen.contains(key)) {
            *error = QStringLiteral("%1 has the heading '%2' twice, in columns %3 and %4.")
                         .arg(where, column.name, CellReference::columnName(int(seen.value(key))),
                             CellReference::columnName(int(c)));
            return false;
        }
        seen.insert(key, c);
        columns->append(column);
    }
    if (columns->size() > maxImportColumns) {
        *error = QStringLiteral("%1 has more than %2 columns, more than a table can hold.")
                     .arg(where)
                     .arg(maxImportColumns);
        return false;
    }
    *headerRow = header;
    return true;
}

bool copyRows(Database& db, const Worksheet& sheet, qsizetype headerRow,
    const QList<Column>& columns, const QString& tableName)
{
    QStringList definitions;
    QStringList names;
    QStringList placeholders;
    for (const Column& column : columns) {
        definitions.append(
            quoteIdentifier(column.name) + QLatin1Char(' ') + declarationOf(column.type));
        names.append(quoteIdentifier(column.name));
        placeholders.append(QStringLiteral("?"));
    }
    if (!db.execute(QStringLiteral("CREATE TABLE %1 (%2)")
                        .arg(quoteIdentifier(tableName), definitions.join(QStringLiteral(", ")))))
        return false;
    Statement insert(db,
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quoteIdentifier(tableName), names.join(QStringLiteral(", ")),
                placeholders.join(QStringLiteral(", "))));
    if (!insert.isValid())
        return false;
    QVariantList values(columns.size());
    for (qsizetype r = headerRow + 1; r < sheet.rows.size(); ++r) {
        const QVariantList& cells = sheet.rows.at(r);
        bool empty = true;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            values[i] = storedValue(cells.value(columns.at(i).index), columns.at(i).type);
            empty = empty && !values.at(i).isValid();
        }
        // A blank line inside the sheet is no record.
        if (empty)
            continue;
        if (!insert.bind(values))
            return false;
        insert.step();
        if (insert.hasError() || !insert.reset())
            return false;
    }
    return true;
}

} // namespace

bool importWorksheet(Database& db, const QString& path, const QString& sheetName,
    const QString& tableName, QString* error)
{
    Worksheet sheet;
    QString message;
    qsizetype headerRow = 0;
    QList<Column> columns;
    if (!readWorksheet(path, sheetName, &sheet, &message)
        || !describeColumns(sheet, path, &headerRow, &columns, &message))
        return fail(error, message);
    if (tableName.trimmed().isEmpty())
        return fail(error,
            QStringLiteral("No table name was given for the worksheet '%1'.").arg(sheet.name));

    // A savepoint, not a transaction, so that a caller's transaction can hold the
    // import together with its own work (drop the old table, import the new one).
    if (!db.execute(QStringLiteral("SAVEPOINT worksheet_import")))
        return fail(error,
            QStringLiteral("The worksheet '%1' could not be imported: %2")
                .arg(sheet.name, db.lastError()));
    if (db.tableExists(tableName)) {
        db.execute(QStringLiteral("RELEASE worksheet_import"));
        return fail(error,
            QStringLiteral(
                "The database already has a table named '%1'; the worksheet '%2' was not imported.")
                .arg(tableName, sheet.name));
    }
    if (!copyRows(db, sheet, headerRow, columns, tableName)
        || !db.execute(QStringLiteral("RELEASE worksheet_import"))) {
        const QString engineError = db.lastError();
        db.execute(QStringLiteral("ROLLBACK TO worksheet_import"));
        db.execute(QStringLiteral("RELEASE worksheet_import"));
        return fail(error,
            QStringLiteral("The worksheet '%1' could not be imported: %2")
                .arg(sheet.name, engineError));
    }
    return true;
}

} // namespace vantrel::data
