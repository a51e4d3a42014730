#pragma once

#include "data/WorkbookFile.h"

namespace vantrel::data {

// Legacy Excel 97-2003 workbooks (.xls, BIFF), read through FreeXL.
class XlsReader : public WorkbookFile {
public:
    XlsReader() = default;
    ~XlsReader() override;
    XlsReader(const XlsReader&) = delete;
    XlsReader& operator=(const XlsReader&) = delete;

    bool open(const QString& path, QString* reason) override;
    QStringList sheetNames() const override;
    bool readSheet(int index, Worksheet* sheet, QString* reason) override;

private:
    const void* m_handle = nullptr;
    QStringList m_names;
};

} // namespace vantrel::data
