#include "app/RecordViewCatalog.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "platform/MessageBox.h"
#include "ui/CompanyAccess.h"
#include "ui/MainWindow.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include <QWidget>

namespace vantrel::app {

namespace {

using ui::CompanyAccess;
using ui::RecordQuery;
using ui::RecordViews;
using View = RecordViews::View;

// Without a company both values are NULL, which matches no row (an empty name
// would match rows whose company text is empty).
QVariant keyOf(const CompanyAccess& company)
{
    return company.companyKey().isValid() ? company.companyKey() : QVariant();
}

QVariant nameOf(const CompanyAccess& company)
{
    return company.companyKey().isValid() ? company.companyValue(QStringLiteral("TEXT01"))
                                          : QVariant();
}

// A view whose rows are the fixed query with the company's key bound once.
RecordViews::Query byKey(const char* sql, QVariantList extra = {})
{
    return [sql = QString::fromLatin1(sql), extra](
               const CompanyAccess& company, RecordQuery* query, QString*) {
        *query = { sql, QVariantList { keyOf(company) } + extra };
        return true;
    };
}

// Stored documents carry the company's name from older versions and its key from newer ones.
RecordViews::Query byNameOrKey(const char* sql)
{
    return [sql = QString::fromLatin1(sql)](
               const CompanyAccess& company, RecordQuery* query, QString*) {
        *query = { sql, { nameOf(company), keyOf(company) } };
        return true;
    };
}

bool salesQuery(const CompanyAccess& company, RecordQuery* query, QString* error)
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

bool salesFailed(const QString&)
{
    platform::MessageBox::show(nullptr,
        QStringLiteral("Your sales figures have not been imported correctly."),
        platform::MessageBox::Icon::Critical);
    ui::Screens::bringToFront(QStringLiteral("FormImportSales"));
    if (ui::MainWindow* main = ui::MainWindow::instance())
        main->setCaption(main->caption() + QStringLiteral(" - Import Sales"));
    return false;
}

template <class T> T* control(QWidget* screen, const char* name)
{
    return screen->findChild<T*>(QLatin1String(name));
}

// The contacts and projects screens offer new rows only for an active company.
void offerNewRowsForActiveCompany(QWidget* screen, RecordViews::Branch branch)
{
    if (auto* button = control<QWidget>(screen, "CommandNew"))
        button->setEnabled(branch == RecordViews::Branch::Companies);
}

void showContacts(QWidget* screen, RecordViews::Branch branch)
{
    if (auto* list = control<QWidget>(screen, "DBListSelect"))
        list->setFocus(Qt::OtherFocusReason);
    if (auto* frame = control<QWidget>(screen, "FrameActivities"))
        frame->setVisible(branch == RecordViews::Branch::Companies);
    offerNewRowsForActiveCompany(screen, branch);
}

RecordViews::Descriptor view(const char* screen, RecordViews::Query query, const char* caption,
    const char* archiveCaption, const char* companiesNode, const char* archiveNode)
{
    return { QLatin1String(screen), std::move(query), QLatin1String(caption),
        QLatin1String(archiveCaption), QLatin1String(companiesNode), QLatin1String(archiveNode), {},
        {} };
}

} // namespace

void registerRecordViews()
{
    RecordViews::Descriptor contacts = view("FormContacts",
        byKey("SELECT *, COALESCE(TABLE03.TEXT02, '') || ' ' || COALESCE(TABLE03.TEXT03, '')"
              " AS FullName FROM TABLE03 WHERE TABLE03.NUMBER01 = ? ORDER BY TABLE03.TEXT02"),
        " - Contacts", " - Archived Contacts", "child1_child1", "child1_child2");
    // The contacts view goes on past its own failures.
    contacts.failed = [](const QString&) { return true; };
    contacts.shown = showContacts;
    RecordViews::registerView(View::Contacts, contacts);

    RecordViews::registerView(View::Correspondence,
        view("FormCorrespondence",
            byNameOrKey("SELECT * FROM TABLE09 WHERE TABLE09.TEXT01 = ? OR TABLE09.NUMBER01 = ?"
                        " ORDER BY TABLE09.DATE01 DESC, TABLE09.AUTONUMBER DESC"),
            " - Correspondence", " - Archived Correspondence", "child2_child1", "child2_child2"));
    RecordViews::registerView(View::CallReports,
        view("FormCallReports",
            byNameOrKey("SELECT * FROM TABLE08 WHERE TABLE08.TEXT01 = ? OR TABLE08.NUMBER01 = ?"
                        " ORDER BY TABLE08.DATE01 DESC, TABLE08.AUTONUMBER DESC"),
            " - Call Reports", " - Archived Call Reports", "child7_child1", "child7_child2"));
    RecordViews::Descriptor projects = view("FormProjects",
        byKey("SELECT * FROM TABLE06 WHERE TABLE06.NUMBER01 = ? AND TABLE06.TEXT03 = ?"
              " ORDER BY TEXT01 DESC",
            { QStringLiteral("Active Project") }),
        " - Projects", " - Archived Projects", "child3_child1", "child3_child2");
    projects.shown = offerNewRowsForActiveCompany;
    RecordViews::registerView(View::Projects, projects);
    RecordViews::registerView(View::Attachments,
        view("FormAttachments",
            byKey("SELECT * FROM TABLE05 WHERE TABLE05.NUMBER01 = ? ORDER BY DATE01 DESC"),
            " - Attachments", " - Archived Attachments", "child5_child1", "child5_child2"));
    RecordViews::registerView(View::Competition,
        view("FormCompetitors",
            byKey("SELECT * FROM TABLE10 WHERE TABLE10.NUMBER01 = ? ORDER BY DATE01 DESC"),
            " - Competition", " - Archived Competition", "child4_child1", "child4_child2"));
    RecordViews::Descriptor sales
        = view("FormSales", salesQuery, " - Sales", " - Sales", "child6_child1", "child6_child2");
    sales.failed = salesFailed;
    RecordViews::registerView(View::Sales, sales);
}

} // namespace vantrel::app
