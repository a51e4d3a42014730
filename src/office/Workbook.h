#pragma once

#include "office/Sheet.h"

#include <QList>
#include <QString>

namespace vantrel::office {

// A workbook in memory: its sheets, the active one, and the file it was opened
// from or last saved as. A new workbook holds one empty sheet "Sheet1", as the
// spreadsheet program's new workbook does.
class Workbook {
public:
    Workbook();
    // Takes the sheets of a workbook read from a file; the first is active.
    explicit Workbook(const QList<Sheet>& sheets);

    int sheetCount() const { return int(m_sheets.size()); }
    Sheet& sheet(int index) { return m_sheets[index]; }
    const Sheet& sheet(int index) const { return m_sheets.at(index); }
    // The sheet of that name, without regard to letter case; nullptr when none.
    Sheet* sheet(const QString& name);
    // References to the other sheets do not survive this.
    Sheet& addSheet(const QString& name);

    Sheet& activeSheet() { return m_sheets[m_active]; }
    const Sheet& activeSheet() const { return m_sheets.at(m_active); }
    int activeSheetIndex() const { return m_active; }
    void setActiveSheet(int index);

    // Empty for a workbook never saved.
    QString filePath() const { return m_filePath; }
    void setFilePath(const QString& path) { m_filePath = path; }

    // The document's title, which spreadsheet programs show in the window's
    // caption in place of the file name; empty for none.
    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

private:
    QList<Sheet> m_sheets;
    int m_active = 0;
    QString m_filePath;
    QString m_title;
};

} // namespace vantrel::office
