#pragma once

#include "ui/RecordViewScreen.h"
#include "ui/ReportBrowser.h"

namespace vantrel::activities {

// The call reports of all companies, newest first: searched for a phrase,
// or narrowed by the report filter, which hands over its query through
// showRecords(); Reset brings every report back.
class FormAllCallReports : public ui::ReportBrowser, public ui::RecordViewScreen {
    Q_OBJECT
public:
    explicit FormAllCallReports(QWidget* parent = nullptr);

    bool showRecords(const ui::RecordQuery& query, QString* error) override;

protected:
    ui::RecordQuery resetQuery() const override;
    ui::RecordQuery findQuery(const QString& phrase) const override;
    QString mailSubject() const override;

private:
    void declareHints();
};

} // namespace vantrel::activities
