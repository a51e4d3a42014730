#pragma once

#include "data/WorkbookFile.h"

namespace vantrel::data {

// Comma-separated text (.csv) as one worksheet named after the file. The delimiter
// is a comma, semicolon or tab, whichever the first line uses; values may be quoted
// and hold delimiters, quotes and line breaks. Text is UTF-8 (with or without a byte
// order mark) or UTF-16 with a mark; other bytes are read as Latin-1. Numbers and
// ISO dates become numbers and dates; numbers with leading zeros stay text.
class CsvReader : public WorkbookFile {
public:
    bool open(const QString& path, QString* reason) override;
    QStringList sheetNames() const override;
    bool readSheet(int index, Worksheet* sheet, QString* reason) override;

    static QVariant typedValue(const QString& text);

private:
    QString m_path;
    QStringList m_names;
};

} // namespace vantrel::data
