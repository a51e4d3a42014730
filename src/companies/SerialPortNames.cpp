#include "companies/SerialPortNames.h"

namespace vantrel::companies {

QString SerialPortNames::portName(int number)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

} // namespace vantrel::companies
