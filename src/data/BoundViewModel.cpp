#include "data/BoundViewModel.h"

#include "data/BoundView.h"
#include "data/FieldValues.h"

namespace vantrel::data {

BoundViewModel::BoundViewModel(BoundView* view, QObject* parent)
    : QAbstractTableModel(parent)
    , m_view(view)
{
    connect(view, &BoundView::rowsAboutToBeReloaded, this, &BoundViewModel::beginReload);
    connect(view, &BoundView::rowsReloaded, this, &BoundViewModel::endReload);
    connect(view, &BoundView::rowAboutToBeInserted, this,
        [this](int row) { beginInsertRows({}, row, row); });
    connect(view, &BoundView::rowInserted, this, &BoundViewModel::endInsertRows);
    connect(view, &BoundView::rowAboutToBeRemoved, this,
        [this](int row) { beginRemoveRows({}, row, row); });
    connect(view, &BoundView::rowRemoved, this, &BoundViewModel::endRemoveRows);
    connect(view, &BoundView::valueChanged, this, &BoundViewModel::valueChanged);
    connect(view, &BoundView::rowUpdated, this, &BoundViewModel::rowUpdated);
    connect(view, &BoundView::currentRowChanged, this, &BoundViewModel::markCurrentRow);
    connect(view, &BoundView::editedChanged, this, &BoundViewModel::markCurrentRow);
    connect(view, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_fields.clear();
        m_headings.clear();
        endResetModel();
    });
    resolveColumns();
    m_markedRow = view->position();
}

void BoundViewModel::setColumns(const QList<Column>& columns)
{
    beginResetModel();
    m_chosen = columns;
    resolveColumns();
    endResetModel();
}

void BoundViewModel::setEditable(bool editable)
{
    beginResetModel();
    m_editable = editable;
    endResetModel();
}

void BoundViewModel::setAllowAddNew(bool allow)
{
    beginResetModel();
    m_allowAddNew = allow;
    endResetModel();
}

bool BoundViewModel::isNewRowLine(int row) const
{
    return hasNewRowLine() && row == viewRows();
}

QVariant BoundViewModel::bookmarkAt(int row) const
{
    return m_view ? m_view->bookmarkAt(row) : QVariant();
}

int BoundViewModel::rowForBookmark(const QVariant& bookmark) const
{
    return m_view ? m_view->rowForBookmark(bookmark) : -1;
}

int BoundViewModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return viewRows() + (hasNewRowLine() ? 1 : 0);
}

int BoundViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant BoundViewModel::data(const QModelIndex& index, int role) const
{
    if (!m_view || !index.isValid() || !checkIndex(index) || isNewRowLine(index.row()))
        return {};
    const int field = m_fields.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return displayText(m_view->valueAt(index.row(), field));
    case ValueRole:
        return m_view->valueAt(index.row(), field);
    case BookmarkRole:
        return m_view->bookmarkAt(index.row());
    default:
        return {};
    }
}

bool BoundViewModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_view || !m_editable || role != Qt::EditRole || !index.isValid() || !checkIndex(index))
        return false;
    const int field = m_fields.at(index.column());
    if (field < 0)
        return false;
    if (isNewRowLine(index.row())) {
        // Leaving the line empty starts nothing.
        if (value.toString().isEmpty())
            return false;
        if (!m_view->addNew())
            return fail();
    }
    else if (index.row() != m_view->position() && !m_view->moveTo(index.row())) {
        return fail();
    }
    return m_view->setValue(field, value) || fail();
}

Qt::ItemFlags BoundViewModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !checkIndex(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (m_editable && m_view && m_view->isFieldWritable(m_fields.at(index.column())))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant BoundViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_headings.value(section);
    // The record selector: the current row, one with unsaved edits, the new line.
    if (m_view && section == m_view->position())
        return m_view->isEdited() ? QString(QChar(0x270E)) : QString(QChar(0x25B6));
    if (isNewRowLine(section))
        return QStringLiteral("*");
    return QString();
}

bool BoundViewModel::hasNewRowLine() const
{
    return m_editable && m_allowAddNew && m_view && m_view->fieldCount() > 0;
}

int BoundViewModel::viewRows() const
{
    return m_view ? m_view->rowCount() : 0;
}

void BoundViewModel::resolveColumns()
{
    m_fields.clear();
    m_headings.clear();
    if (!m_view)
        return;
    if (m_chosen.isEmpty()) {
        for (int c = 0; c < m_view->fieldCount(); ++c) {
            m_fields.append(c);
            m_headings.append(m_view->fieldName(c));
        }
        return;
    }
    for (const Column& column : std::as_const(m_chosen)) {
        m_fields.append(m_view->fieldIndex(column.field));
        m_headings.append(column.heading);
    }
}

void BoundViewModel::beginReload()
{
    beginResetModel();
}

void BoundViewModel::endReload()
{
    resolveColumns();
    endResetModel();
    m_markedRow = m_view ? m_view->position() : -1;
}

void BoundViewModel::valueChanged(int row, int column)
{
    for (int c = 0; c < m_fields.size(); ++c) {
        if (m_fields.at(c) == column)
            emit dataChanged(index(row, c), index(row, c));
    }
}

void BoundViewModel::rowUpdated(int row)
{
    if (!m_fields.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_fields.size()) - 1));
}

void BoundViewModel::markCurrentRow()
{
    const int current = m_view ? m_view->position() : -1;
    const int rows = rowCount();
    if (m_markedRow >= 0 && m_markedRow < rows && m_markedRow != current)
        emit headerDataChanged(Qt::Vertical, m_markedRow, m_markedRow);
    if (current >= 0)
        emit headerDataChanged(Qt::Vertical, current, current);
    m_markedRow = current;
}

bool BoundViewModel::fail()
{
    emit editFailed(m_view->lastError());
    return false;
}

} // namespace vantrel::data
