#pragma once

#include "activities/ReportBrowser.h"
#include "shell/RecordViewScreen.h"

namespace vantrel::activities {

// The call reports of all companies, newest first: searched for a phrase,
// or narrowed by the report filter, which hands over its query through
// showRecords(); Reset brings every report back.
class FormAllCallReports : public ReportBrowser, public shell::RecordViewScreen {
    Q_OBJECT
public:
    explicit FormAllCallReports(QWidget* parent = nullptr);

    bool showRecords(const shell::RecordQuery& query, QString* error) override;

protected:
    shell::RecordQuery resetQuery() const override;
    shell::RecordQuery findQuery(const QString& phrase) const override;
    QString mailSubject() const override;

private:
    void declareHints();
};

} // namespace vantrel::activities
