#pragma once

#include "ui/RecordViewScreen.h"

#include <QString>

#include <functional>

class QWidget;

namespace vantrel::ui {

class CompanyAccess;

// The record views of the navigation tree: a child screen filled with the rows
// of the company on which the companies screen (companies branch) or the archive
// screen (archive branch) stands, with the main window's caption naming it.
// The composition root registers one descriptor a view; until then showing the
// view does nothing.
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
    using Branch = RecordBranch;

    using Query
        = std::function<bool(const CompanyAccess& company, RecordQuery* query, QString* error)>;
    // What happens when the rows cannot be shown; true goes on to caption the
    // view as if it had worked.
    using Failure = std::function<bool(const QString& error)>;
    // What the view does to its screen once the rows are in, by branch.
    using Shown = std::function<void(QWidget* screen, Branch branch)>;

    struct Descriptor {
        QString screen;
        Query query;
        QString companiesCaption; // appended to the company's name
        QString archiveCaption;
        QString companiesNodeKey;
        QString archiveNodeKey;
        Failure failed; // empty: the error is shown and the view stops
        Shown shown;
    };

    static void registerView(View view, Descriptor descriptor);
    static const Descriptor* descriptor(View view);

    // Does nothing while the view, the company's screen or the view's screen is not registered.
    static void show(View view, Branch branch);

    // The view's rows for the company a screen stands on.
    static bool query(View view, const CompanyAccess& company, RecordQuery* query, QString* error);
    static QString sourceScreenName(Branch branch);

    // A new company on show is stored first, so that the rows of its child
    // screens have a key to belong to; false, with the user told why, when it
    // cannot be (it has no name yet, or storing failed).
    static bool storeNewCompany(CompanyAccess& company, QWidget* parent);

    static constexpr View views[] = { View::Contacts, View::Correspondence, View::CallReports,
        View::Projects, View::Attachments, View::Competition, View::Sales };
};

} // namespace vantrel::ui
