#pragma once

#include <QWidget>

namespace vantrel::products {

// The small "Delete" window of the price list: this record, or all records the
// list shows. It does not block the price list.
class FormPriceListDelete : public QWidget {
    Q_OBJECT
public:
    explicit FormPriceListDelete(QWidget* parent = nullptr);

    void deleteThis();
    void deleteAll();
};

} // namespace vantrel::products
