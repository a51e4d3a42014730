#pragma once

#include "reports/FormListReport.h"

namespace vantrel::reports {

// The list of contacts of all active companies to a workbook.
class FormReportContacts : public FormListReport {
    Q_OBJECT
public:
    explicit FormReportContacts(QWidget* parent = nullptr)
        : FormListReport(contactList(), parent)
    {
    }
};

} // namespace vantrel::reports
