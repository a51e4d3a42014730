#pragma once

#include "data/Worksheet.h"

#include <QStringList>

namespace vantrel::data {

// One workbook format. A failure reason is a phrase that completes "The file 'X'
// could not be read: ...", such as "it is damaged".
class WorkbookFile {
public:
    virtual ~WorkbookFile() = default;

    virtual bool open(const QString& path, QString* reason) = 0;
    virtual QStringList sheetNames() const = 0;
    // Fills rows (and header formats where the format has them); the caller sets the name.
    virtual bool readSheet(int index, Worksheet* sheet, QString* reason) = 0;
};

} // namespace vantrel::data
