#include "activities/FormCorrespondence.h"

#include "platform/MessageBox.h"
#include "ui/AutoSaveOwner.h"
#include "ui/Screens.h"
#include "ui/WorkingFiles.h"

#include <QLabel>
#include <QPushButton>

namespace vantrel::activities {

namespace {

ui::ReportBrowser::Options correspondenceOptions()
{
    ui::ReportBrowser::Options options;
    options.table = QStringLiteral("TABLE09");
    options.noun = QStringLiteral("RECORD");
    options.deleteQuestion = QStringLiteral("Are you sure you want to delete this record?");
    options.mail = false;
    return options;
}

void stopAutoSave(ui::AutoSave::Kind kind)
{
    if (auto* owner
        = dynamic_cast<ui::AutoSaveOwner*>(ui::Screens::existing(QStringLiteral("FormContacts"))))
        owner->stopAutoSave(kind);
}

} // namespace

FormCorrespondence::FormCorrespondence(QWidget* parent)
    : CompanyReportBrowser(QStringLiteral("FormCorrespondence"), correspondenceOptions(),
        QStringLiteral("Search correspondence to "), ui::RecordViews::View::Correspondence, parent)
{
    setWindowTitle(QStringLiteral("Correspondence"));
    m_yes = addAnswer("CommandYes", QStringLiteral("&Yes"));
    m_yesMail = addAnswer("CommandYesOutlook", QStringLiteral("&Yes"));
    m_no = addAnswer("CommandNo", QStringLiteral("&No"));
    m_yesMail->hide();
    saveLabel()->setText(QStringLiteral("Would you like to save this Document in Vantrel?"));
    connect(m_yes, &QPushButton::clicked, this, &FormCorrespondence::saveDocument);
    connect(m_yesMail, &QPushButton::clicked, this, &FormCorrespondence::saveMail);
    connect(m_no, &QPushButton::clicked, this, &FormCorrespondence::discard);
}

void FormCorrespondence::askToSave(Pending pending)
{
    const bool mail = pending == Pending::Mail;
    saveLabel()->setText(mail ? QStringLiteral("Would you like to save this E-Mail in Vantrel?")
                              : QStringLiteral("Would you like to save this Document in Vantrel?"));
    // The e-mail's Yes takes the place of the document's.
    m_yes->setVisible(!mail);
    m_yesMail->setVisible(mail);
    showQuestion(mail ? m_yesMail : m_yes, pending);
}

bool FormCorrespondence::storePending(Pending pending)
{
    return pending == Pending::Mail ? saveMail() : saveDocument();
}

void FormCorrespondence::discardPending(Pending)
{
    discard();
}

bool FormCorrespondence::saveDocument()
{
    // A word processor left by a failed "Send to MS-Word" stays open for the user.
    takeLeftoverWordInstance();
    return save(ui::workingDocumentPath(), ui::AutoSave::Kind::Document);
}

bool FormCorrespondence::saveMail()
{
    return save(ui::workingMailTextPath(), ui::AutoSave::Kind::MailText);
}

void FormCorrespondence::discard()
{
    takeLeftoverWordInstance();
    stopAutoSave(ui::AutoSave::Kind::Document);
    stopAutoSave(ui::AutoSave::Kind::MailText);
    hideQuestion();
}

bool FormCorrespondence::save(const QString& path, ui::AutoSave::Kind kind)
{
    QString error;
    if (!storeWorkingFile(path, &error)) {
        // The auto-save goes on, so a later Yes can still store the document.
        platform::MessageBox::error(this, error);
        return false;
    }
    stopAutoSave(kind);
    return true;
}

} // namespace vantrel::activities
