#pragma once

#include "reports/FormListReport.h"

namespace vantrel::reports {

// The list of all active companies to a workbook.
class FormReportCompanies : public FormListReport {
    Q_OBJECT
public:
    explicit FormReportCompanies(QWidget* parent = nullptr)
        : FormListReport(companyList(), parent)
    {
    }
};

} // namespace vantrel::reports
