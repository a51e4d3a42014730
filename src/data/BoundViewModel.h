#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>

namespace vantrel::data {

class BoundView;

// The rows of a bound view for lists, combos and grids. It follows the view:
// reloads, inserted and removed rows, edited fields and the current row (shown
// in the vertical header). An editable grid writes through the view, making the
// edited row current first; with add-new allowed a last, empty line starts a
// new row when something is typed into it.
class BoundViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString heading;
    };

    enum Role {
        // The field's value as the view holds it (a QDate for dates ...).
        ValueRole = Qt::UserRole,
        BookmarkRole,
    };

    explicit BoundViewModel(BoundView* view, QObject* parent = nullptr);

    BoundView* view() const { return m_view; }
    // Without a choice every field of the view is a column headed by its name.
    void setColumns(const QList<Column>& columns);
    void setEditable(bool editable);
    void setAllowAddNew(bool allow);
    bool isNewRowLine(int row) const;

    QVariant bookmarkAt(int row) const;
    int rowForBookmark(const QVariant& bookmark) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // An edit in the grid that the view refused, with the view's reason.
    void editFailed(const QString& message);

private:
    bool hasNewRowLine() const;
    int viewRows() const;
    void resolveColumns();
    void beginReload();
    void endReload();
    void valueChanged(int row, int column);
    void rowUpdated(int row);
    void markCurrentRow();
    bool fail();

    QPointer<BoundView> m_view;
    QList<Column> m_chosen;
    QList<int> m_fields; // the view's column behind each model column
    QList<QString> m_headings;
    bool m_editable = false;
    bool m_allowAddNew = false;
    int m_markedRow = -1;
};

} // namespace vantrel::data
