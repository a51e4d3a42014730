#include "data/BoundView.h"

#include "data/BoundRowWriter.h"
#include "data/Database.h"
#include "data/Statement.h"

#include <QSignalBlocker>

#include <algorithm>

namespace vantrel::data {

namespace {

bool isTableName(const QString& source)
{
    return std::none_of(source.cbegin(), source.cend(), [](QChar c) { return c.isSpace(); });
}

} // namespace

BoundView::BoundView(QObject* parent)
    : QObject(parent)
{
}

BoundView::~BoundView()
{
    const QSignalBlocker blocker(this);
    if (!leaveRow())
        qWarning("Changes to a record of %s were lost: %s", qUtf8Printable(m_columns.targetTable()),
            qUtf8Printable(m_lastError));
}

bool BoundView::setDatabase(std::shared_ptr<Database> database)
{
    if (!close())
        return false;
    m_db = std::move(database);
    return true;
}

bool BoundView::openDatabase(const QString& fileName)
{
    auto database = std::make_shared<Database>();
    if (!database->open(fileName))
        return fail(database->lastError());
    return setDatabase(std::move(database));
}

void BoundView::setRecordSource(const QString& source, const QVariantList& parameters)
{
    m_source = source;
    m_parameters = parameters;
}

bool BoundView::setWriteTarget(const QString& table, const QString& keyColumn)
{
    if (!store())
        return false;
    m_requestedTarget = table;
    m_requestedKey = keyColumn;
    if (m_columns.count() > 0)
        m_columns.setTarget(table, keyColumn);
    return true;
}

bool BoundView::refresh()
{
    if (!requireDatabase())
        return false;
    const bool dropsNewRow = m_newRow && m_changed.empty();
    if (!leaveRow())
        return false;
    BoundColumns columns;
    DeferredColumns deferred;
    std::vector<BoundRow> rows;
    if (!loadSource(&columns, &deferred, &rows)) {
        if (dropsNewRow)
            emit currentRowChanged();
        return false;
    }
    emit rowsAboutToBeReloaded();
    m_columns = std::move(columns);
    m_deferred = std::move(deferred);
    m_rows = std::move(rows);
    m_current = 0;
    emit rowsReloaded();
    emit currentRowChanged();
    return true;
}

bool BoundView::close()
{
    if (!leaveRow())
        return false;
    emit rowsAboutToBeReloaded();
    m_rows.clear();
    m_columns = BoundColumns();
    m_deferred = DeferredColumns();
    m_current = 0;
    emit rowsReloaded();
    emit currentRowChanged();
    return true;
}

bool BoundView::update()
{
    return store();
}

void BoundView::cancelEdits()
{
    const bool wasEdited = isEdited();
    if (m_newRow) {
        const int back = m_rowBeforeNew;
        dropNewRow();
        setCurrent(std::clamp(back, -1, rowCount()));
    }
    else if (wasEdited) {
        // An edited row holds all its values; the originals were taken from them.
        m_rows[size_t(m_current)].values() = m_original;
        forgetEdits();
        emit rowUpdated(m_current);
    }
    if (wasEdited)
        emit editedChanged(false);
}

bool BoundView::addNew()
{
    if (!requireDatabase())
        return false;
    if (m_columns.count() == 0)
        return fail(QStringLiteral("The record source is not open."));
    if (m_columns.keyColumn() < 0)
        return fail(readOnlyReason(-1));
    if (m_newRow && m_changed.empty())
        return true;
    std::vector<QVariant> values(size_t(m_columns.count()));
    BoundRowWriter writer(*m_db, m_columns);
    if (!writer.readDefaults(&values))
        return failWithEngineError();
    if (!leaveRow())
        return false;
    m_rowBeforeNew = m_current;
    const int row = rowCount();
    emit rowAboutToBeInserted(row);
    m_rows.emplace_back(std::move(values), m_nextSerial++);
    m_newRow = true;
    emit rowInserted(row);
    setCurrent(row);
    return true;
}

bool BoundView::deleteCurrent()
{
    if (!hasCurrentRow())
        return fail(QStringLiteral("No current record."));
    const bool wasEdited = isEdited();
    if (m_newRow) {
        const int back = m_rowBeforeNew;
        dropNewRow();
        setCurrent(std::clamp(back, -1, rowCount()));
    }
    else {
        if (!requireDatabase())
            return false;
        if (m_columns.keyColumn() < 0)
            return fail(readOnlyReason(-1));
        BoundRowWriter writer(*m_db, m_columns);
        if (!writer.remove(value(m_columns.keyColumn())))
            return failWithEngineError();
        const int row = m_current;
        forgetEdits();
        removeRowAt(row);
        setCurrent(row < rowCount() ? row : std::max(rowCount() - 1, 0));
    }
    if (wasEdited)
        emit editedChanged(false);
    return true;
}

bool BoundView::moveFirst()
{
    return moveBy([] { return 0; });
}

bool BoundView::moveLast()
{
    return moveBy([this] { return std::max(rowCount() - 1, 0); });
}

bool BoundView::moveNext()
{
    if (isEof())
        return fail(QStringLiteral("No current record."));
    return moveBy([this] { return m_current + 1; });
}

bool BoundView::movePrevious()
{
    if (m_current < 0 || m_rows.empty())
        return fail(QStringLiteral("No current record."));
    return moveBy([this] { return m_current - 1; });
}

bool BoundView::moveTo(int row)
{
    if (row < 0 || row >= rowCount())
        return fail(QStringLiteral("There is no record %1 in this view.").arg(row + 1));
    return moveBy([row] { return row; });
}

bool BoundView::isEof() const
{
    return m_current >= rowCount();
}

bool BoundView::isBof() const
{
    return m_current < 0 || m_rows.empty();
}

bool BoundView::hasCurrentRow() const
{
    return m_current >= 0 && m_current < rowCount();
}

int BoundView::position() const
{
    return hasCurrentRow() ? m_current : -1;
}

QVariant BoundView::bookmarkAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const int key = m_columns.keyColumn();
    if (key < 0)
        return QVariant(qulonglong(m_rows[size_t(row)].serial()));
    const QVariant value = valueAt(row, key);
    return value.isNull() ? QVariant() : value;
}

int BoundView::rowForBookmark(const QVariant& bookmark) const
{
    if (!bookmark.isValid() || bookmark.isNull())
        return -1;
    const int key = m_columns.keyColumn();
    for (int row = 0; row < rowCount(); ++row) {
        const bool found = key < 0 ? m_rows[size_t(row)].serial() == bookmark.toULongLong()
                                   : sameFieldValue(valueAt(row, key), bookmark);
        if (found)
            return row;
    }
    return -1;
}

bool BoundView::moveToBookmark(const QVariant& bookmark)
{
    const int row = rowForBookmark(bookmark);
    if (row < 0)
        return fail(QStringLiteral("The record is not in this view."));
    return moveTo(row);
}

QString BoundView::fieldName(int column) const
{
    return column >= 0 && column < fieldCount() ? m_columns.at(column).name : QString();
}

QStringList BoundView::fieldNames() const
{
    QStringList names;
    for (int c = 0; c < fieldCount(); ++c)
        names.append(m_columns.at(c).name);
    return names;
}

bool BoundView::isFieldComputed(int column) const
{
    return column >= 0 && column < fieldCount() && m_columns.isComputed(column);
}

bool BoundView::isFieldWritable(int column) const
{
    return column >= 0 && column < fieldCount() && m_columns.isWritable(column);
}

bool BoundView::isFieldWritable(const QString& field) const
{
    return isFieldWritable(fieldIndex(field));
}

QVariant BoundView::value(const QString& field) const
{
    const int column = fieldIndex(field);
    if (column < 0 && fieldCount() > 0)
        qWarning("The record source has no field %s", qUtf8Printable(field));
    return value(column);
}

QVariant BoundView::value(int column) const
{
    return valueAt(position(), column);
}

QVariant BoundView::valueAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= fieldCount())
        return {};
    QVariant value;
    if (!readValue(row, column, &value))
        qWarning("A value of %s could not be read: %s", qUtf8Printable(m_columns.at(column).name),
            qUtf8Printable(m_db->lastError()));
    return value;
}

bool BoundView::setValue(const QString& field, const QVariant& value)
{
    const int column = fieldIndex(field);
    if (column < 0)
        return fail(QStringLiteral("The field '%1' is not in the record source.").arg(field));
    return setValue(column, value);
}

bool BoundView::setValue(int column, const QVariant& value)
{
    if (!hasCurrentRow())
        return fail(QStringLiteral("No current record."));
    if (column < 0 || column >= fieldCount())
        return fail(QStringLiteral("The record source has no field %1.").arg(column));
    QVariant normalized;
    QString error;
    if (!normalizeFieldValue(value, m_columns.at(column).kind, &normalized, &error))
        return fail(error);
    if (sameFieldValue(this->value(column), normalized))
        return true;
    const bool computed = m_columns.isComputed(column);
    if (!computed && !m_columns.isWritable(column))
        return fail(readOnlyReason(column));
    std::vector<QVariant>* unpacked = editableValues(m_current);
    if (!unpacked)
        return failWithEngineError();
    std::vector<QVariant>& values = *unpacked;
    if (!computed && m_original.empty())
        m_original = values;
    const bool wasEdited = isEdited();
    values[size_t(column)] = normalized;
    if (!computed) {
        std::erase(m_changed, column);
        // Typing a field back to what is stored leaves nothing to write.
        if (!sameFieldValue(m_original[size_t(column)], normalized))
            m_changed.push_back(column);
    }
    emit valueChanged(m_current, column);
    emit fieldChanged(fieldName(column));
    if (wasEdited != isEdited())
        emit editedChanged(isEdited());
    return true;
}

bool BoundView::fail(const QString& message)
{
    m_lastError = message;
    return false;
}

bool BoundView::failWithEngineError()
{
    return fail(m_db->lastError());
}

bool BoundView::requireDatabase()
{
    if (m_db && m_db->isOpen())
        return true;
    return fail(QStringLiteral("The view has no open database."));
}

bool BoundView::loadSource(
    BoundColumns* columns, DeferredColumns* deferred, std::vector<BoundRow>* rows)
{
    const QString source = m_source.trimmed();
    if (source.isEmpty())
        return fail(QStringLiteral("The view has no record source."));
    const QString sql
        = isTableName(source) ? QStringLiteral("SELECT * FROM ") + quoteIdentifier(source) : source;
    Statement statement(*m_db, sql);
    if (!statement.isValid() || !statement.bind(m_parameters))
        return failWithEngineError();
    *columns = BoundColumns(statement);
    columns->setTarget(m_requestedTarget, m_requestedKey);
    *deferred = DeferredColumns(*columns);
    const int count = columns->count();
    while (statement.step())
        rows->push_back(BoundRow::read(statement.handle(), count, m_nextSerial++, deferred));
    return !statement.hasError() || failWithEngineError();
}

bool BoundView::readValue(int row, int column, QVariant* value) const
{
    const BoundRow& stored = m_rows[size_t(row)];
    const FieldKind kind = m_columns.at(column).kind;
    bool deferred = false;
    *value = stored.value(column, kind, &deferred);
    if (!deferred)
        return true;
    const int key = m_deferred.keyColumn();
    return m_deferred.read(*m_db, column, stored.value(key, m_columns.at(key).kind), kind, value);
}

std::vector<QVariant>* BoundView::editableValues(int row)
{
    BoundRow& stored = m_rows[size_t(row)];
    if (stored.isPacked()) {
        std::vector<QVariant> values(static_cast<size_t>(fieldCount()));
        for (int c = 0; c < fieldCount(); ++c) {
            if (!readValue(row, c, &values[size_t(c)]))
                return nullptr;
        }
        stored.unpack(std::move(values));
    }
    return &stored.values();
}

QString BoundView::readOnlyReason(int column) const
{
    if (m_columns.keyColumn() < 0) {
        if (m_columns.targetTable().isEmpty())
            return QStringLiteral("The record source reads from no table, so its records "
                                  "cannot be changed.");
        return QStringLiteral("The record source does not include the key %1 of %2, so its "
                              "records cannot be changed.")
            .arg(m_columns.keyColumnName(), m_columns.targetTable());
    }
    const BoundColumns::Column& field = m_columns.at(column);
    if (m_columns.isTargetColumn(column))
        return QStringLiteral("The field %1 is numbered by the database and cannot be changed.")
            .arg(field.name);
    return QStringLiteral("The field %1 belongs to %2; this view saves changes to %3 only.")
        .arg(field.name, field.originTable, m_columns.targetTable());
}

bool BoundView::leaveRow()
{
    if (m_newRow && m_changed.empty()) {
        dropNewRow();
        return true;
    }
    return store();
}

bool BoundView::store()
{
    if (!hasCurrentRow() || (!m_newRow && m_changed.empty()))
        return true;
    if (!requireDatabase())
        return false;
    // Edits unpacked the row, and a new row never was packed.
    std::vector<QVariant>& values = m_rows[size_t(m_current)].values();
    const size_t keyColumn = size_t(m_columns.keyColumn());
    BoundRowWriter writer(*m_db, m_columns);
    QVariant key = values[keyColumn];
    if (m_newRow) {
        if (!writer.insert(values, m_changed, &key))
            return failWithEngineError();
        values[keyColumn] = key;
    }
    else if (!writer.update(key, values, m_changed)) {
        return failWithEngineError();
    }
    const int row = m_current;
    const bool wasEdited = isEdited();
    m_newRow = false;
    forgetEdits();
    const bool reread = writer.reread(key, &values);
    emit rowUpdated(row);
    if (wasEdited)
        emit editedChanged(false);
    return reread || failWithEngineError();
}

bool BoundView::moveBy(const std::function<int()>& target)
{
    if (target() == m_current)
        return true;
    if (!leaveRow())
        return false;
    setCurrent(std::clamp(target(), -1, rowCount()));
    return true;
}

void BoundView::setCurrent(int row)
{
    m_current = row;
    m_original.clear();
    emit currentRowChanged();
}

void BoundView::forgetEdits()
{
    m_changed.clear();
    m_original.clear();
}

void BoundView::dropNewRow()
{
    m_newRow = false;
    forgetEdits();
    removeRowAt(rowCount() - 1);
}

void BoundView::removeRowAt(int row)
{
    emit rowAboutToBeRemoved(row);
    m_rows.erase(m_rows.begin() + row);
    emit rowRemoved(row);
}

} // namespace vantrel::data
