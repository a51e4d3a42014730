#pragma once

#include "activities/CompanyReportBrowser.h"
#include "ui/AutoSave.h"

class QPushButton;

namespace vantrel::activities {

// The letters, faxes and e-mails written to one company, newest first; it also
// asks whether to store the letter, fax or e-mail that the contacts screen
// started in the word processor or the mail window.
class FormCorrespondence : public CompanyReportBrowser {
    Q_OBJECT
public:
    explicit FormCorrespondence(QWidget* parent = nullptr);

    void askToSave(Pending pending) override;
    bool storePending(Pending pending) override;
    void discardPending(Pending pending) override;

    // CommandYes: the letter or fax; false when nothing was stored (the user was told).
    bool saveDocument();
    // CommandYesOutlook: the e-mail, stored from its text.
    bool saveMail();
    // CommandNo: nothing is stored.
    void discard();

private:
    bool save(const QString& path, ui::AutoSave::Kind kind);

    QPushButton* m_yes;
    QPushButton* m_yesMail;
    QPushButton* m_no;
};

} // namespace vantrel::activities
