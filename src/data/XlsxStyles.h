#pragma once

#include "data/Worksheet.h"

#include <QByteArray>
#include <QList>

namespace vantrel::data {

// The cell styles of an .xlsx workbook (xl/styles.xml): which number formats show
// dates or times, and the look of a cell for its header format.
class XlsxStyles {
public:
    enum class ValueKind { Number, Date, DateTime, Time };

    bool parse(const QByteArray& xml);
    // Style index as the s attribute of a cell gives it; unknown indexes are plain numbers.
    ValueKind valueKind(int style) const;
    CellFormat format(int style) const;

    // What a number format code shows: "yyyy-mm-dd" a date, "h:mm" a time ...
    static ValueKind kindOfFormatCode(const QString& code);

private:
    struct Style {
        ValueKind kind = ValueKind::Number;
        CellFormat format;
    };
    QList<Style> m_styles;
};

} // namespace vantrel::data
