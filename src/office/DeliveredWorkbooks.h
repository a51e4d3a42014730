#pragma once

#include <QString>

namespace vantrel::office {

// Writes the workbooks a new installation finds in its program folder: the empty
// call log BCTelephone.xlsx, and Prices.xlsx and Competition.xlsx holding only
// the bold heading rows that their imports expect.
bool writeDeliveredWorkbooks(const QString& folder, QString* error);

} // namespace vantrel::office
