#include "shell/NavigationItemDelegate.h"

namespace vantrel::shell {

NavigationItemDelegate::NavigationItemDelegate(int rowHeight, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_rowHeight(rowHeight)
{
}

QSize NavigationItemDelegate::sizeHint(
    const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(m_rowHeight);
    return size;
}

} // namespace vantrel::shell
