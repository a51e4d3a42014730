#pragma once

#include <QString>

namespace vantrel::data {

// Puts the message where the caller wants it (error may be null) and returns
// false, so that an operation reporting through `QString* error` fails in one line.
inline bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace vantrel::data
