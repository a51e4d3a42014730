#pragma once

#include "activities/CompanyReportBrowser.h"

class QPushButton;

namespace vantrel::activities {

// The call reports of one company, newest first; it also asks whether to store
// the call report that the call report entry screen started in the word processor.
class FormCallReports : public CompanyReportBrowser {
    Q_OBJECT
public:
    explicit FormCallReports(QWidget* parent = nullptr);

    void askToSave(Pending pending) override;
    bool storePending(Pending pending) override;
    void discardPending(Pending pending) override;

    // CommandYes: false when nothing was stored (the user was told).
    bool saveReport();
    // CommandNo: nothing is stored.
    void discardReport();

protected:
    QString mailSubject() const override;

private:
    void quitLeftoverWordProcessor();

    QPushButton* m_yes;
    QPushButton* m_no;
};

} // namespace vantrel::activities
