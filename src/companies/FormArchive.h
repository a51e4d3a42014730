#pragma once

#include "companies/CompanyRecordScreen.h"

namespace vantrel::companies {

// The archive screen: the archived companies, which keep every record of their
// history and can be restored to the active companies.
class FormArchive : public CompanyRecordScreen {
    Q_OBJECT
public:
    explicit FormArchive(QWidget* parent = nullptr);

    void saveChanges();
    void restoreCompany();
};

} // namespace vantrel::companies
