#include "shell/RecordViews.h"

#include "companies/CompanyAccess.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/MessageBox.h"
#include "shell/FormMain.h"
#include "shell/MDIFormMain.h"
#include "shell/Screens.h"

#include <QWidget>

namespace vantrel::shell {

namespace {

using View = RecordViews::View;
using Branch = RecordViews::Branch;

QString nameOf(const companies::CompanyAccess& company)
{
    return company.companyValue(QStringLiteral("TEXT01")).toString();
}

bool salesQuery(const companies::CompanyAccess& company, RecordQuery* query, QString* error)
{
    data::Database db;
    if (!data::openUserDatabase(db)) {
        *error = db.lastError();
        return false;
    }
    data::QueryResult settings;
    if (!db.query(QStringLiteral("SELECT TEXT08, TEXT09 FROM TABLE02 ORDER BY AUTONUMBER LIMIT 1"),
            {}, &settings)) {
        *error = db.lastError();
        return false;
    }
    const QString dateColumn = settings.rows.isEmpty()
        ? QString()
        : settings.value(0, QStringLiteral("TEXT08")).toString();
    const QString accountColumn = settings.rows.isEmpty()
        ? QString()
        : settings.value(0, QStringLiteral("TEXT09")).toString();
    if (dateColumn.isEmpty() || accountColumn.isEmpty()) {
        *error = QStringLiteral("No sales figures have been imported.");
        return false;
    }
    const QString sales = QStringLiteral("SALES.");
    query->sql = QStringLiteral("SELECT * FROM SALES WHERE ") + sales
        + data::quoteIdentifier(accountColumn) + QStringLiteral(" = ? ORDER BY ") + sales
        + data::quoteIdentifier(dateColumn) + QStringLiteral(" DESC");
    query->parameters = { company.companyValue(QStringLiteral("TEXT02")).toString() };
    return true;
}

void setCaption(const QString& caption)
{
    if (MDIFormMain* main = MDIFormMain::instance())
        main->setWindowTitle(caption);
}

void salesFailed()
{
    platform::MessageBox::show(nullptr,
        QStringLiteral("Your sales figures have not been imported correctly."),
        platform::MessageBox::Icon::Critical);
    Screens::bringToFront(QStringLiteral("FormImportSales"));
    if (MDIFormMain* main = MDIFormMain::instance())
        main->setWindowTitle(main->windowTitle() + QStringLiteral(" - Import Sales"));
}

template <class T> T* control(QWidget* screen, const char* name)
{
    return screen->findChild<T*>(QLatin1String(name));
}

// The contacts and projects screens offer new rows only for an active company.
void applyBranch(View view, Branch branch, QWidget* screen)
{
    const bool active = branch == Branch::Companies;
    if (view != View::Contacts && view != View::Projects)
        return;
    if (view == View::Contacts) {
        if (auto* frame = control<QWidget>(screen, "FrameActivities"))
            frame->setVisible(active);
    }
    if (auto* button = control<QWidget>(screen, "CommandNew"))
        button->setEnabled(active);
}

} // namespace

void RecordViews::show(View view, Branch branch)
{
    auto* company = Screens::instance<companies::CompanyAccess>(sourceScreenName(branch));
    if (!company)
        return;
    QWidget* screen = Screens::bringToFront(screenName(view));
    auto* target = dynamic_cast<RecordViewScreen*>(screen);
    if (!target)
        return;
    if (view == View::Contacts) {
        if (auto* list = control<QWidget>(screen, "DBListSelect"))
            list->setFocus(Qt::OtherFocusReason);
    }
    RecordQuery records;
    QString error;
    if (!query(view, *company, &records, &error) || !target->showRecords(records, &error)) {
        if (view == View::Sales) {
            salesFailed();
            return;
        }
        // The contacts view goes on past its own failures.
        if (view != View::Contacts) {
            platform::MessageBox::error(nullptr, error);
            return;
        }
    }
    setCaption(nameOf(*company) + captionSuffix(view, branch));
    applyBranch(view, branch, screen);
    if (MDIFormMain* main = MDIFormMain::instance())
        main->navigation()->markNode(nodeText(view, branch));
}

bool RecordViews::query(
    View view, const companies::CompanyAccess& company, RecordQuery* query, QString* error)
{
    // Without a company both values are NULL, which matches no row (an empty
    // name would match rows whose company text is empty).
    const QVariant key = company.companyKey().isValid() ? company.companyKey() : QVariant();
    const QVariant name = key.isValid() ? QVariant(nameOf(company)) : QVariant();
    switch (view) {
    case View::Contacts:
        *query
            = { QStringLiteral(
                    "SELECT *, COALESCE(TABLE03.TEXT02, '') || ' ' || COALESCE(TABLE03.TEXT03, '')"
                    " AS FullName FROM TABLE03 WHERE TABLE03.NUMBER01 = ? ORDER BY TABLE03.TEXT02"),
                  { key } };
        return true;
    case View::Correspondence:
        *query = { QStringLiteral(
                       "SELECT * FROM TABLE09 WHERE TABLE09.TEXT01 = ? OR TABLE09.NUMBER01 = ?"
                       " ORDER BY TABLE09.DATE01 DESC, TABLE09.AUTONUMBER DESC"),
            { name, key } };
        return true;
    case View::CallReports:
        *query = { QStringLiteral(
                       "SELECT * FROM TABLE08 WHERE TABLE08.TEXT01 = ? OR TABLE08.NUMBER01 = ?"
                       " ORDER BY TABLE08.DATE01 DESC, TABLE08.AUTONUMBER DESC"),
            { name, key } };
        return true;
    case View::Projects:
        *query = { QStringLiteral(
                       "SELECT * FROM TABLE06 WHERE TABLE06.NUMBER01 = ? AND TABLE06.TEXT03 = ?"
                       " ORDER BY TEXT01 DESC"),
            { key, QStringLiteral("Active Project") } };
        return true;
    case View::Attachments:
        *query = { QStringLiteral(
                       "SELECT * FROM TABLE05 WHERE TABLE05.NUMBER01 = ? ORDER BY DATE01 DESC"),
            { key } };
        return true;
    case View::Competition:
        *query = { QStringLiteral(
                       "SELECT * FROM TABLE10 WHERE TABLE10.NUMBER01 = ? ORDER BY DATE01 DESC"),
            { key } };
        return true;
    case View::Sales:
        return salesQuery(company, query, error);
    }
    return false;
}

QString RecordViews::screenName(View view)
{
    switch (view) {
    case View::Contacts:
        return QStringLiteral("FormContacts");
    case View::Correspondence:
        return QStringLiteral("FormCorrespondence");
    case View::CallReports:
        return QStringLiteral("FormCallReports");
    case View::Projects:
        return QStringLiteral("FormProjects");
    case View::Attachments:
        return QStringLiteral("FormAttachments");
    case View::Competition:
        return QStringLiteral("FormCompetitors");
    case View::Sales:
        return QStringLiteral("FormSales");
    }
    return {};
}

QString RecordViews::sourceScreenName(Branch branch)
{
    return branch == Branch::Companies ? QStringLiteral("FormCompanies")
                                       : QStringLiteral("FormArchive");
}

QString RecordViews::captionSuffix(View view, Branch branch)
{
    const bool archived = branch == Branch::Archive;
    switch (view) {
    case View::Contacts:
        return archived ? QStringLiteral(" - Archived Contacts") : QStringLiteral(" - Contacts");
    case View::Correspondence:
        return archived ? QStringLiteral(" - Archived Correspondence")
                        : QStringLiteral(" - Correspondence");
    case View::CallReports:
        return archived ? QStringLiteral(" - Archived Call Reports")
                        : QStringLiteral(" - Call Reports");
    case View::Projects:
        return archived ? QStringLiteral(" - Archived Projects") : QStringLiteral(" - Projects");
    case View::Attachments:
        return archived ? QStringLiteral(" - Archived Attachments")
                        : QStringLiteral(" - Attachments");
    case View::Competition:
        return archived ? QStringLiteral(" - Archived Competition")
                        : QStringLiteral(" - Competition");
    case View::Sales:
        return QStringLiteral(" - Sales");
    }
    return {};
}

QString RecordViews::nodeText(View view, Branch branch)
{
    QString text;
    switch (view) {
    case View::Contacts:
        text = QStringLiteral("Contacts");
        break;
    case View::Correspondence:
        text = QStringLiteral("Correspondence");
        break;
    case View::CallReports:
        text = QStringLiteral("Call Reports");
        break;
    case View::Projects:
        text = QStringLiteral("Projects");
        break;
    case View::Attachments:
        text = QStringLiteral("Attachments");
        break;
    case View::Competition:
        text = QStringLiteral("Competition");
        break;
    case View::Sales:
        text = QStringLiteral("Sales");
        break;
    }
    // The archive's nodes differ from the companies' by one trailing blank.
    return branch == Branch::Archive ? text + QLatin1Char(' ') : text;
}

} // namespace vantrel::shell
