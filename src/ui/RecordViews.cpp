#include "ui/RecordViews.h"

#include "platform/MessageBox.h"
#include "ui/CompanyAccess.h"
#include "ui/MainWindow.h"
#include "ui/Screens.h"

#include <QHash>
#include <QWidget>

namespace vantrel::ui {

namespace {

QHash<RecordViews::View, RecordViews::Descriptor>& registry()
{
    static QHash<RecordViews::View, RecordViews::Descriptor> views;
    return views;
}

} // namespace

void RecordViews::registerView(View view, Descriptor descriptor)
{
    registry().insert(view, std::move(descriptor));
}

const RecordViews::Descriptor* RecordViews::descriptor(View view)
{
    const auto found = registry().constFind(view);
    return found == registry().constEnd() ? nullptr : &*found;
}

void RecordViews::show(View view, Branch branch)
{
    const Descriptor* described = descriptor(view);
    if (!described)
        return;
    auto* company = Screens::instance<CompanyAccess>(sourceScreenName(branch));
    if (!company || !storeNewCompany(*company, nullptr))
        return;
    QWidget* screen = Screens::bringToFront(described->screen);
    auto* target = dynamic_cast<RecordViewScreen*>(screen);
    if (!target)
        return;
    target->setRecordBranch(branch);
    RecordQuery records;
    QString error;
    if (!query(view, *company, &records, &error) || !target->showRecords(records, &error)) {
        if (!described->failed) {
            platform::MessageBox::error(nullptr, error);
            return;
        }
        if (!described->failed(error))
            return;
    }
    const bool archived = branch == Branch::Archive;
    MainWindow* main = MainWindow::instance();
    if (main) {
        main->setCaption(company->companyValue(QStringLiteral("TEXT01")).toString()
            + (archived ? described->archiveCaption : described->companiesCaption));
    }
    if (described->shown)
        described->shown(screen, branch);
    if (main)
        main->markNode(archived ? described->archiveNodeKey : described->companiesNodeKey);
}

bool RecordViews::query(View view, const CompanyAccess& company, RecordQuery* query, QString* error)
{
    const Descriptor* described = descriptor(view);
    if (!described || !described->query) {
        *error = QStringLiteral("This list is not available.");
        return false;
    }
    return described->query(company, query, error);
}

bool RecordViews::storeNewCompany(CompanyAccess& company, QWidget* parent)
{
    if (company.companyKey().isValid() || company.companyEntry() == 0)
        return true;
    if (company.companyValue(QStringLiteral("TEXT01")).toString().trimmed().isEmpty()) {
        platform::MessageBox::information(parent,
            QStringLiteral("The new company has no name yet. Please enter its name and save it "
                           "first."));
        return false;
    }
    QString error;
    if (company.storeCompany(&error))
        return true;
    platform::MessageBox::error(parent, error);
    return false;
}

QString RecordViews::sourceScreenName(Branch branch)
{
    return branch == Branch::Companies ? QStringLiteral("FormCompanies")
                                       : QStringLiteral("FormArchive");
}

} // namespace vantrel::ui
