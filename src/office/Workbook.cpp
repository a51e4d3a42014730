#include "office/Workbook.h"

namespace vantrel::office {

Workbook::Workbook()
    : m_sheets { Sheet(QStringLiteral("Sheet1")) }
{
}

Workbook::Workbook(const QList<Sheet>& sheets)
    : m_sheets(sheets)
{
    if (m_sheets.isEmpty())
        m_sheets.append(Sheet(QStringLiteral("Sheet1")));
}

Sheet* Workbook::sheet(const QString& name)
{
    for (Sheet& candidate : m_sheets) {
        if (candidate.name().compare(name, Qt::CaseInsensitive) == 0)
            return &candidate;
    }
    return nullptr;
}

Sheet& Workbook::addSheet(const QString& name)
{
    m_sheets.append(Sheet(name));
    return m_sheets.last();
}

void Workbook::setActiveSheet(int index)
{
    if (index >= 0 && index < m_sheets.size())
        m_active = index;
}

} // namespace vantrel::office
