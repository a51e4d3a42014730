#pragma once

#include <QDateTime>
#include <QString>

namespace vantrel::tools {

// The day the sample data is seen from, so that dates, days overdue and the
// pictures taken of them are the same at every build.
QDateTime sampleNow();

// A small believable business for the pictures of the screens: companies with
// their contacts, call reports, projects with action steps, competitor products,
// the competition register, the price list and the pick lists behind them.
// Written into CONTACT.mdb of the working folder in one transaction.
bool writeSampleData(QString* error);

// The company that the companies screen shows first, and texts that the screens
// showing the sample data must show.
namespace sample {
inline constexpr char firstCompany[] = "Harbour Pumps Ltd";
inline constexpr char firstContact[] = "Lindiwe Mokoena";
inline constexpr char callReportPhrase[] = "new seals for the harbour pumps";
inline constexpr char activeProject[] = "Pump Station Upgrade";
inline constexpr char actionStep[] = "Proposal for two CP-40 pumps";
inline constexpr char competitorProduct[] = "AquaFlow 300";
inline constexpr char product[] = "Centrifugal pump CP-40";
inline constexpr char overdueCompany[] = "Northfield Mining Co.";
} // namespace sample

} // namespace vantrel::tools
