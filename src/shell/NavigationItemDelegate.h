#pragma once

#include <QStyledItemDelegate>

namespace vantrel::shell {

// Gives every row of the navigation tree one fixed height.
class NavigationItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit NavigationItemDelegate(int rowHeight, QObject* parent = nullptr);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_rowHeight;
};

} // namespace vantrel::shell
