#pragma once

#include <QString>

namespace vantrel::companies {

// The device behind a numbered serial port as the user counts them (1 to 4).
class SerialPortNames {
public:
    // "/dev/ttyS0" for port 1 here, "COM1" on Windows.
    static QString portName(int number);
};

} // namespace vantrel::companies
