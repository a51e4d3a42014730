#include "office/DeliveredWorkbooks.h"

#include "office/WorkbookWriter.h"

#include <QDir>

namespace vantrel::office {

namespace {

Workbook headingsOnly(const QString& sheetName, const QStringList& headings)
{
    Workbook workbook;
    Sheet& sheet = workbook.activeSheet();
    sheet.setName(sheetName);
    for (int column = 0; column < headings.size(); ++column)
        sheet.setValue(0, column, headings.at(column));
    sheet.setBold(CellRange::rows(0, 0), true);
    sheet.setColumnWidth(CellRange::columns(0, int(headings.size()) - 1), 25);
    return workbook;
}

} // namespace

bool writeDeliveredWorkbooks(const QString& folder, QString* error)
{
    const QDir dir(folder);
    const QList<std::pair<QString, Workbook>> workbooks {
        { QStringLiteral("BCTelephone.xlsx"), Workbook() },
        { QStringLiteral("Prices.xlsx"),
            headingsOnly(QStringLiteral("PRICES"),
                { QStringLiteral("PRODUCT"), QStringLiteral("CURRENCY"), QStringLiteral("PRICE"),
                    QStringLiteral("NOTES") }) },
        { QStringLiteral("Competition.xlsx"),
            headingsOnly(QStringLiteral("COMPETITION"),
                { QStringLiteral("COMPETITOR'S PRODUCT"), QStringLiteral("COMPETITOR'S NAME"),
                    QStringLiteral("EQUIVALENT") }) },
    };
    for (const auto& [name, workbook] : workbooks) {
        if (!writeWorkbook(workbook, dir.filePath(name), error))
            return false;
    }
    return true;
}

} // namespace vantrel::office
