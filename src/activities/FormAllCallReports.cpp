#include "activities/FormAllCallReports.h"

#include "platform/MessageBox.h"
#include "ui/HintLine.h"

#include <QLineEdit>

namespace vantrel::activities {

namespace {

ui::ReportBrowser::Options allReports()
{
    ui::ReportBrowser::Options options;
    options.table = QStringLiteral("TABLE08");
    options.noun = QStringLiteral("REPORT");
    options.searchButton = false;
    options.editing = false;
    return options;
}

} // namespace

FormAllCallReports::FormAllCallReports(QWidget* parent)
    : ui::ReportBrowser(QStringLiteral("FormAllCallReports"), allReports(), parent)
{
    setWindowTitle(QStringLiteral("Search Call Reports"));
    declareHints();
    QString error;
    if (!showQuery(resetQuery(), &error))
        platform::MessageBox::error(this, error);
}

bool FormAllCallReports::showRecords(const ui::RecordQuery& query, QString* error)
{
    return showQuery(query, error);
}

ui::RecordQuery FormAllCallReports::resetQuery() const
{
    return { QStringLiteral("SELECT * FROM TABLE08 ORDER BY DATE01 DESC, AUTONUMBER DESC"), {} };
}

ui::RecordQuery FormAllCallReports::findQuery(const QString& phrase) const
{
    // The phrase is matched literally, anywhere in the text the report shows.
    return { QStringLiteral("SELECT * FROM TABLE08 WHERE memoContains(TABLE08.MEMO01, ?)"
                            " ORDER BY TABLE08.DATE01 DESC, TABLE08.AUTONUMBER DESC"),
        { phrase } };
}

QString FormAllCallReports::mailSubject() const
{
    return QStringLiteral("Call Report");
}

void FormAllCallReports::declareHints()
{
    const auto control
        = [this](const char* name) { return findChild<QWidget*>(QLatin1String(name)); };
    const std::pair<const char*, const char*> texts[] = {
        { "CommandFind",
            "Search all call reports containing text you enter. Searches are not case sensitive." },
        { "CommandZoomIn", "Zoom in." },
        { "CommandZoomOut", "Zoom out." },
        { "CommandWord", "Send to MS-Word" },
        { "CommandOutlook", "Send to MS-Outlook" },
        { "DataTABLE08", "Navigate your call reports." },
    };
    for (const auto& [name, text] : texts)
        hints()->setHint(control(name), QLatin1String(text));
    // The search line is always shown here, without the search button that names it elsewhere.
    findChild<QLineEdit*>(QStringLiteral("TextFind"))
        ->setPlaceholderText(QStringLiteral("Phrase to find in all call reports"));
}

} // namespace vantrel::activities
