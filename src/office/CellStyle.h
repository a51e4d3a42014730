#pragma once

#include <QColor>
#include <QHashFunctions>
#include <QString>

namespace vantrel::office {

enum class HorizontalAlignment { General, Left, Center, Right };
// Bottom is the spreadsheet's default.
enum class VerticalAlignment { Bottom, Center, Top };

// How one cell of a sheet looks. Defaults are those of a new workbook: Calibri 11,
// general alignment, no wrapping, the General number format.
struct CellStyle {
    QString fontName; // empty for the workbook's default font
    double fontSize = 0; // points; 0 for the default size
    bool bold = false;
    bool italic = false;
    HorizontalAlignment horizontalAlignment = HorizontalAlignment::General;
    VerticalAlignment verticalAlignment = VerticalAlignment::Bottom;
    bool wrapText = false;
    // A spreadsheet number format code such as "0.00" or "mm/dd/yyyy"; empty for
    // General (dates and times then get the short date or time format).
    QString numberFormat;
    QColor fillColor; // solid background; invalid for none

    static constexpr double defaultFontSize = 11;
    static QString defaultFontName() { return QStringLiteral("Calibri"); }

    QString effectiveFontName() const { return fontName.isEmpty() ? defaultFontName() : fontName; }
    double effectiveFontSize() const { return fontSize > 0 ? fontSize : defaultFontSize; }

    bool operator==(const CellStyle&) const = default;
};

inline size_t qHash(const CellStyle& style, size_t seed = 0)
{
    return qHashMulti(seed, style.fontName, style.fontSize, style.bold, style.italic,
        int(style.horizontalAlignment), int(style.verticalAlignment), style.wrapText,
        style.numberFormat, style.fillColor.isValid() ? style.fillColor.rgba() : 0u);
}

} // namespace vantrel::office
