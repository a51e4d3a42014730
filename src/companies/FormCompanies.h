#pragma once

#include "companies/CompanyRecordScreen.h"

namespace vantrel::companies {

// The companies screen: the active companies, one of which is the current
// company of the whole program.
class FormCompanies : public CompanyRecordScreen {
    Q_OBJECT
public:
    explicit FormCompanies(QWidget* parent = nullptr);

    void newCompany();
    void saveChanges();
    void archiveCompany();

private:
    void frequencyEdited(const QString& text);
};

} // namespace vantrel::companies
