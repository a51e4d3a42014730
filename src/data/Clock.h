#pragma once

#include <QDate>
#include <QDateTime>

namespace vantrel::data {

// Today's date and the time as the program sees them; tests fix them.
class Clock {
public:
    static QDate today();
    static QDateTime now();

    static void setFixed(const QDateTime& now);
    static void reset();
};

} // namespace vantrel::data
