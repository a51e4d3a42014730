#include "shell/NodeActions.h"

#include "platform/Desktop.h"
#include "shell/OfficeActions.h"
#include "shell/RecordViews.h"
#include "shell/Screens.h"

#include <QHash>
#include <QUrl>

namespace vantrel::shell {

namespace {

using View = RecordViews::View;
using Branch = RecordViews::Branch;

// The search service's host is ours to choose; the page is its advanced search.
constexpr char webSearchAddress[] = "https://www.google.com/advanced_search";

NodeActions::Action bringToFront(const char* screen)
{
    return [name = QLatin1String(screen)] { Screens::bringToFront(name); };
}

NodeActions::Action recordView(View view, Branch branch)
{
    return [view, branch] { RecordViews::show(view, branch); };
}

void openWebSearch()
{
    // Like every "open" of the desktop, a failure is not reported.
    platform::Desktop::openUrl(QUrl(QLatin1String(webSearchAddress)));
}

QHash<QString, NodeActions::Action> defaultActions()
{
    QHash<QString, NodeActions::Action> actions;
    auto add = [&actions](const char* text, NodeActions::Action action) {
        actions.insert(QLatin1String(text), std::move(action));
    };
    add("Main Menu", bringToFront("FormMenu"));
    add("Companies", bringToFront("FormCompanies"));
    add("Archive", bringToFront("FormArchive"));

    for (const View view : RecordViews::views) {
        for (const Branch branch : { Branch::Companies, Branch::Archive })
            actions.insert(RecordViews::nodeText(view, branch), recordView(view, branch));
    }

    add("Google", openWebSearch);
    add("Competitors", bringToFront("FormCompetition"));
    add("Price List", bringToFront("FormPriceList"));
    add("Mail Merge", bringToFront("FormAllContacts"));
    add("Companies  ", bringToFront("FormReportCompanies"));
    add("Contacts  ", bringToFront("FormReportContacts"));
    add("Filter Call Reports", bringToFront("FormReportFilter"));
    add("Search Call Reports", bringToFront("FormAllCallReports"));
    add("Overdue Meetings", bringToFront("FormReportOverdue"));
    add("Sales Figures", bringToFront("FormAllSales"));
    add("Active Projects", bringToFront("FormReportProjects"));
    add("MS-Excel", OfficeActions::openSpreadsheet);
    add("MS-Outlook Calendar", OfficeActions::openCalendar);
    add("MS-Outlook Inbox", OfficeActions::openInbox);
    add("MS-Outlook Tasks", OfficeActions::openTasks);
    add("MS-Word", OfficeActions::openWordProcessor);
    return actions;
}

QHash<QString, NodeActions::Action>& table()
{
    static QHash<QString, NodeActions::Action> actions = defaultActions();
    return actions;
}

} // namespace

void NodeActions::registerAction(const QString& nodeText, Action action)
{
    table().insert(nodeText, std::move(action));
}

bool NodeActions::hasAction(const QString& nodeText)
{
    return table().contains(nodeText);
}

bool NodeActions::run(const QString& nodeText)
{
    const auto found = table().constFind(nodeText);
    if (found == table().constEnd() || !*found)
        return false;
    // A copy: the action may register actions itself.
    const Action action = *found;
    action();
    return true;
}

} // namespace vantrel::shell
