#include "shell/NodeActions.h"

#include "platform/Desktop.h"
#include "shell/OfficeActions.h"
#include "ui/RecordViews.h"
#include "ui/ReportBrowser.h"
#include "ui/Screens.h"

#include <QHash>
#include <QUrl>

namespace vantrel::shell {

namespace {

using ui::RecordViews;
using View = ui::RecordViews::View;
using Branch = ui::RecordViews::Branch;

// The search service's host is ours to choose; the page is its advanced search.
constexpr char webSearchAddress[] = "https://www.google.com/advanced_search";

NodeActions::Action bringToFront(const char* screen)
{
    return [name = QLatin1String(screen)] { ui::Screens::bringToFront(name); };
}

NodeActions::Action recordView(View view, Branch branch)
{
    return [view, branch] { ui::RecordViews::show(view, branch); };
}

// The report filter hands its result to the same screen; the search node
// shows every report again, under its own caption, whatever was shown last.
void searchCallReports()
{
    auto* reports = qobject_cast<ui::ReportBrowser*>(
        ui::Screens::bringToFront(QStringLiteral("FormAllCallReports")));
    if (!reports)
        return;
    reports->setWindowTitle(QStringLiteral("Search Call Reports"));
    reports->reset();
}

void openWebSearch()
{
    platform::Desktop::openUrlOrReport(nullptr, QUrl(QLatin1String(webSearchAddress)));
}

QHash<QString, NodeActions::Action> defaultActions()
{
    QHash<QString, NodeActions::Action> actions;
    auto add = [&actions](const char* key, NodeActions::Action action) {
        actions.insert(QLatin1String(key), std::move(action));
    };
    add("root", bringToFront("FormMenu"));
    add("child1_root", bringToFront("FormCompanies"));
    add("child2_root", bringToFront("FormArchive"));

    for (const View view : ui::RecordViews::views) {
        const ui::RecordViews::Descriptor* described = ui::RecordViews::descriptor(view);
        if (!described)
            continue;
        actions.insert(described->companiesNodeKey, recordView(view, Branch::Companies));
        actions.insert(described->archiveNodeKey, recordView(view, Branch::Archive));
    }
    // The report node "Competition" does what the companies node of that name does.
    add("child6_child3", recordView(View::Competition, Branch::Companies));

    add("child4_root", openWebSearch);
    add("child5_root", bringToFront("FormCompetition"));
    add("child6_root", bringToFront("FormPriceList"));
    add("child7_root", bringToFront("FormAllContacts"));
    add("child1_child3", bringToFront("FormReportCompanies"));
    add("child2_child3", bringToFront("FormReportContacts"));
    add("child4_child3", bringToFront("FormReportFilter"));
    add("child5_child3", searchCallReports);
    add("child7_child3", bringToFront("FormReportOverdue"));
    add("child8_child3", bringToFront("FormAllSales"));
    add("child9_child3", bringToFront("FormReportProjects"));
    add("child1_child7", OfficeActions::openSpreadsheet);
    add("child2_child7", OfficeActions::openCalendar);
    add("child3_child7", OfficeActions::openTasks);
    add("child4_child7", OfficeActions::openInbox);
    add("child5_child7", OfficeActions::openWordProcessor);
    return actions;
}

QHash<QString, NodeActions::Action>& table()
{
    static QHash<QString, NodeActions::Action> actions = defaultActions();
    return actions;
}

} // namespace

void NodeActions::registerAction(const QString& nodeKey, Action action)
{
    table().insert(nodeKey, std::move(action));
}

bool NodeActions::hasAction(const QString& nodeKey)
{
    return table().contains(nodeKey);
}

bool NodeActions::run(const QString& nodeKey)
{
    const auto found = table().constFind(nodeKey);
    if (found == table().constEnd() || !*found)
        return false;
    // A copy: the action may register actions itself.
    const Action action = *found;
    action();
    return true;
}

} // namespace vantrel::shell
