#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vantrel::office {

// A table as the clipboard carries it between programs: cells separated by tabs,
// rows by CR LF, LF or a lone CR. A cell holding a tab, a line break or a leading
// double quote is written in double quotes with inner quotes doubled, as
// spreadsheet programs do, so that memo texts keep their line breaks.
QList<QStringList> parseTabSeparated(const QString& text);
QString joinTabSeparated(const QList<QStringList>& rows);

} // namespace vantrel::office
