#pragma once

#include "office/SpreadsheetProgram.h"

#include <QList>
#include <QMap>
#include <QStringList>

namespace vantrel::office {

// Keeps workbooks in memory and records what the screens asked of the
// spreadsheet program, without files, windows or printers; for tests. `files`
// holds the workbooks that open() finds, by path as given, and receives what
// saveAs() writes. With `failure` set every operation fails with that text.
class RecordingSpreadsheetProgram : public SpreadsheetProgram {
public:
    bool open(const QString& path, Workbook* workbook, QString* error) override;
    bool saveAs(Workbook* workbook, const QString& path, QString* error) override;
    bool show(const QString& path, QString* error) override;
    bool print(const Sheet& sheet, QString* error) override;

    QMap<QString, Workbook> files;
    QStringList openedPaths;
    QStringList savedPaths;
    QStringList shownPaths;
    QList<Sheet> printedSheets;
    QString failure;

private:
    bool succeeds(QString* error) const;
};

} // namespace vantrel::office
