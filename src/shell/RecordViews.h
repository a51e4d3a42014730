#pragma once

#include "shell/RecordViewScreen.h"

#include <QString>

namespace vantrel::companies {
class CompanyAccess;
}

namespace vantrel::shell {

// The record views of the navigation tree: a child screen filled with the rows
// of the company on which the companies screen (companies branch) or the archive
// screen (archive branch) stands, with the main window's caption naming it.
class RecordViews {
public:
    enum class View {
        Contacts,
        Correspondence,
        CallReports,
        Projects,
        Attachments,
        Competition,
        Sales
    };
    enum class Branch { Companies, Archive };

    // Does nothing while the company's screen or the view's screen is not registered.
    static void show(View view, Branch branch);

    // The view's rows for the company a screen stands on; the sales view reads
    // its column names from the sales import settings in User.mdb.
    static bool query(
        View view, const companies::CompanyAccess& company, RecordQuery* query, QString* error);
    static QString screenName(View view);
    static QString sourceScreenName(Branch branch);
    static QString captionSuffix(View view, Branch branch);
    // The navigation node that shows the view of the branch.
    static QString nodeText(View view, Branch branch);
    static constexpr View views[] = { View::Contacts, View::Correspondence, View::CallReports,
        View::Projects, View::Attachments, View::Competition, View::Sales };
};

} // namespace vantrel::shell
