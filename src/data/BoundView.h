#pragma once

#include "data/BoundColumns.h"
#include "data/BoundRow.h"
#include "data/DeferredColumns.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace vantrel::data {

class Database;

// The data source of a screen: the rows of a table or a SELECT, one current row
// whose fields the screen shows and edits, and the writing of those edits back
// to one target table. Edits of a row stay pending until the row is left, the
// view refreshed or closed, or update() is called; a write that fails keeps them.
// Every operation returns false on failure and leaves the reason in lastError().
class BoundView : public QObject {
    Q_OBJECT
public:
    explicit BoundView(QObject* parent = nullptr);
    // Writes pending edits; a failure here can only be logged, so screens call
    // close() first where they can still tell the user.
    ~BoundView() override;

    // Several views on one screen share one connection; the view keeps it alive.
    bool setDatabase(std::shared_ptr<Database> database);
    // Opens a connection of the view's own to a file in the working folder.
    bool openDatabase(const QString& fileName);
    std::shared_ptr<Database> database() const { return m_db; }

    // A table name or a SELECT text with its bound values; takes effect at refresh().
    void setRecordSource(const QString& source, const QVariantList& parameters = {});
    QString recordSource() const { return m_source; }
    // The table edits are written to, and its key column. Without a choice it is
    // the table of a table source, or the table of the first column of a SELECT.
    bool setWriteTarget(
        const QString& table, const QString& keyColumn = QStringLiteral("AUTONUMBER"));
    QString targetTable() const { return m_columns.targetTable(); }

    // Stores pending edits, runs the source again and makes its first row current.
    bool refresh();
    // Stores pending edits and empties the view; refresh() opens it again.
    bool close();
    // Stores the current row's edits, or inserts the add-new row even if unchanged.
    bool update();
    // Forgets the edits of the current row; an add-new row disappears.
    void cancelEdits();
    // Appends an empty row (showing the table's defaults) that becomes current.
    // It is inserted when left or refreshed with edits, or by update().
    bool addNew();
    bool deleteCurrent();

    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    bool moveTo(int row);
    bool isEof() const;
    bool isBof() const;
    bool hasCurrentRow() const;
    // An add-new row counts as the last row.
    int rowCount() const { return int(m_rows.size()); }
    // 0-based; -1 when there is no current row.
    int position() const;
    bool isNewRow() const { return m_newRow; }
    bool isEdited() const { return !m_changed.empty(); }

    // The key of the row (or a number unique in this result when the source has
    // no key); invalid for an add-new row not stored yet.
    QVariant bookmark() const { return bookmarkAt(position()); }
    QVariant bookmarkAt(int row) const;
    int rowForBookmark(const QVariant& bookmark) const;
    bool moveToBookmark(const QVariant& bookmark);

    int fieldCount() const { return m_columns.count(); }
    QString fieldName(int column) const;
    QStringList fieldNames() const;
    // "TEXT01" or "TABLE03.TEXT01", letter case ignored; -1 when unknown.
    int fieldIndex(const QString& field) const { return m_columns.indexOf(field); }
    // Computed columns can be set for display but are never written.
    bool isFieldComputed(int column) const;
    bool isFieldWritable(int column) const;
    bool isFieldWritable(const QString& field) const;

    // Values of the current row; invalid when there is none.
    QVariant value(const QString& field) const;
    QVariant value(int column) const;
    QVariant valueAt(int row, int column) const;
    // Empty text is NULL; setting the value a field holds is no edit. Fields of
    // tables other than the target, and the key, refuse changes.
    bool setValue(const QString& field, const QVariant& value);
    bool setValue(int column, const QVariant& value);

    QString lastError() const { return m_lastError; }

signals:
    void currentRowChanged();
    // A field of the current row was set.
    void fieldChanged(const QString& field);
    void valueChanged(int row, int column);
    // The row was stored and read back, or its edits were cancelled.
    void rowUpdated(int row);
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowsAboutToBeReloaded();
    void rowsReloaded();
    void editedChanged(bool edited);

private:
    bool fail(const QString& message);
    bool failWithEngineError();
    bool requireDatabase();
    bool loadSource(BoundColumns* columns, DeferredColumns* deferred, std::vector<BoundRow>* rows);
    // A value of a row, read from the table when it was deferred.
    bool readValue(int row, int column, QVariant* value) const;
    // The values of the row that edits change; false when a deferred one cannot be read.
    std::vector<QVariant>* editableValues(int row);
    QString readOnlyReason(int column) const;
    // Stores edits as leaving the row does: an add-new row nobody filled is dropped.
    bool leaveRow();
    bool store();
    bool moveBy(const std::function<int()>& target);
    void setCurrent(int row);
    void forgetEdits();
    void dropNewRow();
    void removeRowAt(int row);

    std::shared_ptr<Database> m_db;
    QString m_source;
    QVariantList m_parameters;
    QString m_requestedTarget;
    QString m_requestedKey = QStringLiteral("AUTONUMBER");
    BoundColumns m_columns;
    DeferredColumns m_deferred;
    std::vector<BoundRow> m_rows;
    quint64 m_nextSerial = 1;
    // rowCount() stands for "after the last row", -1 for "before the first".
    int m_current = 0;
    bool m_newRow = false;
    int m_rowBeforeNew = 0;
    std::vector<int> m_changed;
    std::vector<QVariant> m_original;
    QString m_lastError;
};

} // namespace vantrel::data
