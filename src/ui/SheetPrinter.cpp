#include "ui/SheetPrinter.h"

#include "office/Sheet.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPrinter>

namespace vantrel::ui {

namespace {

constexpr double pointsPerPixel = 0.75; // at 96 dpi
constexpr double columnPaddingPoints = 5 * pointsPerPixel;
constexpr double defaultRowPoints = 15;
constexpr double horizontalPaddingPoints = 2.25;
constexpr double verticalPaddingPoints = 1;
const QMarginsF defaultMargins(50.4, 54, 50.4, 54); // 0.7 and 0.75 inch

QFont fontOf(const office::CellStyle& style)
{
    QFont font(style.effectiveFontName());
    font.setPointSizeF(style.effectiveFontSize());
    font.setBold(style.bold);
    font.setItalic(style.italic);
    return font;
}

Qt::Alignment horizontalFlags(const office::CellStyle& style, const QVariant& value)
{
    switch (style.horizontalAlignment) {
    case office::HorizontalAlignment::Left:
        return Qt::AlignLeft;
    case office::HorizontalAlignment::Center:
        return Qt::AlignHCenter;
    case office::HorizontalAlignment::Right:
        return Qt::AlignRight;
    case office::HorizontalAlignment::General:
        break;
    }
    // General alignment: texts to the left, truth values centred, numbers and dates right.
    if (value.typeId() == QMetaType::QString)
        return Qt::AlignLeft;
    return value.typeId() == QMetaType::Bool ? Qt::AlignHCenter : Qt::AlignRight;
}

Qt::Alignment verticalFlags(const office::CellStyle& style)
{
    switch (style.verticalAlignment) {
    case office::VerticalAlignment::Top:
        return Qt::AlignTop;
    case office::VerticalAlignment::Center:
        return Qt::AlignVCenter;
    case office::VerticalAlignment::Bottom:
        break;
    }
    return Qt::AlignBottom;
}

struct Span {
    int first = 0; // index into the layout's lists
    int last = 0;
};

// Consecutive spans whose sizes fit the page; an oversized item gets a page to itself.
QList<Span> spansOf(const QList<double>& sizes, double available)
{
    QList<Span> spans;
    double used = 0;
    for (int i = 0; i < sizes.size(); ++i) {
        if (spans.isEmpty() || used + sizes.at(i) > available) {
            spans.append({ i, i });
            used = sizes.at(i);
        }
        else {
            spans.last().last = i;
            used += sizes.at(i);
        }
    }
    return spans;
}

class PageLayout {
public:
    PageLayout(const office::Sheet& sheet, QPrinter* printer)
        : m_sheet(sheet)
        , m_printer(printer)
        , m_scale(printer->resolution() / 72.0)
    {
        // Column widths count digits of the default font, measured in the font
        // that prints, so that text fits where a substitute font is wider.
        const double digit = QFontMetricsF(fontOf(office::CellStyle()), printer)
                                 .horizontalAdvance(QLatin1Char('0'));
        const int columns = sheet.columnCount();
        for (int column = 0; column < columns; ++column) {
            const double characters = sheet.columnWidth(column);
            const double width
                = characters > 0 ? characters * digit + columnPaddingPoints * m_scale : 0;
            if (!sheet.isColumnHidden(column) && width > 0) {
                m_columns.append(column);
                m_widths.append(width);
            }
        }
        const int rows = sheet.rowCount();
        for (int row = 0; row < rows; ++row)
            m_heights.append(rowHeight(row));
    }

    // Pages without a value are left out, as empty columns of the print area
    // would otherwise come out as blank sheets of paper.
    bool hasValues(const Span& rows, const Span& columns) const
    {
        for (int row = rows.first; row <= rows.last; ++row) {
            for (int index = columns.first; index <= columns.last; ++index) {
                if (m_sheet.value(row, m_columns.at(index)).isValid())
                    return true;
            }
        }
        return false;
    }
    const QList<double>& widths() const { return m_widths; }
    const QList<double>& heights() const { return m_heights; }

    void paint(QPainter* painter, const Span& rows, const Span& columns) const
    {
        for (int pass = 0; pass < 2; ++pass) {
            double y = 0;
            for (int row = rows.first; row <= rows.last; ++row) {
                double x = 0;
                for (int index = columns.first; index <= columns.last; ++index) {
                    const QRectF cell(x, y, m_widths.at(index), m_heights.at(row));
                    if (pass == 0)
                        paintFill(painter, row, m_columns.at(index), cell);
                    else
                        paintText(painter, row, index, columns.last, cell);
                    x += m_widths.at(index);
                }
                y += m_heights.at(row);
            }
        }
    }

private:
    double padding() const { return horizontalPaddingPoints * m_scale; }

    double rowHeight(int row) const
    {
        double height = defaultRowPoints * m_scale;
        for (int index = 0; index < m_columns.size(); ++index) {
            const int column = m_columns.at(index);
            if (!m_sheet.value(row, column).isValid())
                continue;
            const office::CellStyle& style = m_sheet.style(row, column);
            const QFontMetricsF metrics(fontOf(style), m_printer);
            double textHeight = metrics.height();
            if (style.wrapText) {
                const QRectF bounds(0, 0, std::max(1.0, m_widths.at(index) - 2 * padding()), 1e9);
                textHeight = metrics
                                 .boundingRect(bounds, int(Qt::TextWordWrap | Qt::AlignLeft),
                                     m_sheet.text(row, column))
                                 .height();
            }
            height = std::max(height, textHeight + 2 * verticalPaddingPoints * m_scale);
        }
        return height;
    }

    void paintFill(QPainter* painter, int row, int column, const QRectF& cell) const
    {
        const QColor fill = m_sheet.style(row, column).fillColor;
        if (fill.isValid())
            painter->fillRect(cell, fill);
    }

    // Text that does not wrap runs on over empty cells to its right, as on screen.
    void paintText(QPainter* painter, int row, int index, int lastIndex, const QRectF& cell) const
    {
        const int column = m_columns.at(index);
        const QVariant value = m_sheet.value(row, column);
        if (!value.isValid())
            return;
        const office::CellStyle& style = m_sheet.style(row, column);
        const Qt::Alignment horizontal = horizontalFlags(style, value);
        QRectF area = cell;
        if (!style.wrapText && horizontal == Qt::AlignLeft) {
            for (int next = index + 1;
                 next <= lastIndex && !m_sheet.value(row, m_columns.at(next)).isValid(); ++next)
                area.setRight(area.right() + m_widths.at(next));
        }
        const QRectF textArea = area.adjusted(padding(), verticalPaddingPoints * m_scale,
            -padding(), -verticalPaddingPoints * m_scale);
        painter->save();
        painter->setClipRect(area, Qt::IntersectClip);
        painter->setFont(fontOf(style));
        QString text = m_sheet.text(row, column);
        int flags = int(horizontal | verticalFlags(style));
        if (style.wrapText)
            flags |= Qt::TextWordWrap;
        else
            text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        painter->drawText(textArea, flags, text);
        painter->restore();
    }

    const office::Sheet& m_sheet;
    QPrinter* m_printer;
    double m_scale;
    QList<int> m_columns; // the sheet's visible columns
    QList<double> m_widths; // device units, one per visible column
    QList<double> m_heights; // device units, one per row
};

} // namespace

SheetPrinter::SheetPrinter(const office::Sheet& sheet)
    : m_sheet(sheet)
{
}

bool SheetPrinter::print(QPrinter* printer, QString* error) const
{
    printer->setCopyCount(1);
    printer->setCollateCopies(true);
    printer->setDocName(m_sheet.name());
    printer->setPageMargins(defaultMargins, QPageLayout::Point);
    const PageLayout layout(m_sheet, printer);
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    QList<std::pair<Span, Span>> pages; // rows and columns, down first, then across
    for (const Span& columns : spansOf(layout.widths(), page.width())) {
        for (const Span& rows : spansOf(layout.heights(), page.height())) {
            if (layout.hasValues(rows, columns))
                pages.append({ rows, columns });
        }
    }
    if (pages.isEmpty()) {
        *error = QStringLiteral("The sheet '%1' holds nothing to print.").arg(m_sheet.name());
        return false;
    }

    QPainter painter;
    if (!painter.begin(printer)) {
        *error = QStringLiteral("The printer '%1' could not start printing.")
                     .arg(printer->printerName().isEmpty() ? printer->outputFileName()
                                                           : printer->printerName());
        return false;
    }
    for (qsizetype index = 0; index < pages.size(); ++index) {
        if (index > 0 && !printer->newPage()) {
            painter.end();
            *error = QStringLiteral("The printer stopped before the sheet was printed.");
            return false;
        }
        painter.setClipRect(QRectF(0, 0, page.width(), page.height()));
        layout.paint(&painter, pages.at(index).first, pages.at(index).second);
    }
    if (!painter.end()) {
        *error = QStringLiteral("The printer stopped before the sheet was printed.");
        return false;
    }
    return true;
}

} // namespace vantrel::ui
