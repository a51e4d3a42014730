#pragma once

#include "data/WorkbookFile.h"

namespace vantrel::data {

// Legacy Excel 97-2003 workbooks (.xls, BIFF). FreeXL reads them in the helper
// process vantrel-xlsread, under memory and time limits, so that a hostile file
// can exhaust or crash only that process; this class starts it and takes the cells.
class XlsReader : public WorkbookFile {
public:
    bool open(const QString& path, QString* reason) override;
    QStringList sheetNames() const override;
    bool readSheet(int index, Worksheet* sheet, QString* reason) override;

    // Where the helper is: beside the program, one folder above the data library.
    static QString helperPath();
    // Tests and tools that run from elsewhere name the helper themselves.
    static void setHelperPath(const QString& path);

private:
    QString m_path;
    QStringList m_names;
};

} // namespace vantrel::data
