#pragma once

#include "data/WorkbookFile.h"
#include "data/XlsxStyles.h"
#include "data/ZipArchive.h"

namespace vantrel::data {

// Office Open XML workbooks (.xlsx): shared and inline strings, numbers, booleans,
// the cached values of formulas, and dates recognised by their number format in
// the 1900 or 1904 date system.
class XlsxReader : public WorkbookFile {
public:
    bool open(const QString& path, QString* reason) override;
    QStringList sheetNames() const override;
    bool readSheet(int index, Worksheet* sheet, QString* reason) override;

private:
    bool readWorkbookParts(QString* reason);
    bool readSharedStrings(QString* reason);
    bool readStyles(QString* reason);
    QVariant cellValue(QStringView type, int style, const QString& text, bool* ok) const;

    ZipArchive m_zip;
    QStringList m_names;
    QStringList m_sheetParts;
    QString m_sharedStringsPart;
    QString m_stylesPart;
    bool m_date1904 = false;
    QStringList m_sharedStrings;
    XlsxStyles m_styles;
};

} // namespace vantrel::data
