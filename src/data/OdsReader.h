#pragma once

#include "data/WorkbookFile.h"
#include "data/ZipArchive.h"

namespace vantrel::data {

// OpenDocument spreadsheets (.ods), as LibreOffice and Gnumeric write them:
// typed cell values, repeated rows and cells, text of several paragraphs.
class OdsReader : public WorkbookFile {
public:
    bool open(const QString& path, QString* reason) override;
    QStringList sheetNames() const override;
    bool readSheet(int index, Worksheet* sheet, QString* reason) override;

private:
    ZipArchive m_zip;
    QByteArray m_content;
    QStringList m_names;
};

} // namespace vantrel::data
