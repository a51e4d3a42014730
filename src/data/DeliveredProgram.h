#pragma once

#include <QString>

namespace vantrel::data {

// The path of a small program delivered beside vantrel (the legacy workbook
// reader, the folder copier): the delivered folder holds the programs and the
// layers in lib/, so it is found from the folder this library was loaded from,
// else beside the running executable.
QString deliveredProgramPath(const QString& name);

} // namespace vantrel::data
