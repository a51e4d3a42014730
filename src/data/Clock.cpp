#include "data/Clock.h"

namespace vantrel::data {

namespace {

QDateTime& fixedNow()
{
    static QDateTime value;
    return value;
}

} // namespace

QDate Clock::today()
{
    return now().date();
}

QDateTime Clock::now()
{
    return fixedNow().isValid() ? fixedNow() : QDateTime::currentDateTime();
}

void Clock::setFixed(const QDateTime& now)
{
    fixedNow() = now;
}

void Clock::reset()
{
    fixedNow() = QDateTime();
}

} // namespace vantrel::data
