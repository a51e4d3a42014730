#include "office/TabSeparatedText.h"

namespace vantrel::office {

namespace {

bool endsCell(const QString& text, qsizetype i)
{
    return i >= text.size() || text.at(i) == QLatin1Char('\t') || text.at(i) == QLatin1Char('\r')
        || text.at(i) == QLatin1Char('\n');
}

// A quoted cell counts only when its closing quote ends the cell; otherwise the
// quote is an ordinary character, as in `"Best" offer`.
bool readQuoted(const QString& text, qsizetype* i, QString* cell)
{
    QString value;
    for (qsizetype j = *i + 1; j < text.size(); ++j) {
        if (text.at(j) != QLatin1Char('"')) {
            value.append(text.at(j));
            continue;
        }
        if (j + 1 < text.size() && text.at(j + 1) == QLatin1Char('"')) {
            value.append(QLatin1Char('"'));
            ++j;
            continue;
        }
        if (!endsCell(text, j + 1))
            return false;
        *cell = value;
        *i = j + 1;
        return true;
    }
    return false;
}

bool needsQuotes(const QString& cell)
{
    return cell.startsWith(QLatin1Char('"')) || cell.contains(QLatin1Char('\t'))
        || cell.contains(QLatin1Char('\r')) || cell.contains(QLatin1Char('\n'));
}

} // namespace

QList<QStringList> parseTabSeparated(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    qsizetype i = 0;
    while (i < text.size()) {
        QString cell;
        if (text.at(i) != QLatin1Char('"') || !readQuoted(text, &i, &cell)) {
            const qsizetype start = i;
            while (!endsCell(text, i))
                ++i;
            cell = text.mid(start, i - start);
        }
        row.append(cell);
        if (i >= text.size())
            break;
        if (text.at(i) == QLatin1Char('\t')) {
            ++i;
            if (i == text.size())
                row.append(QString());
            continue;
        }
        if (text.at(i) == QLatin1Char('\r') && i + 1 < text.size()
            && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        ++i;
        rows.append(row);
        row.clear();
    }
    if (!row.isEmpty())
        rows.append(row);
    return rows;
}

QString joinTabSeparated(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                text.append(QLatin1Char('\t'));
            const QString& cell = row.at(c);
            if (needsQuotes(cell)) {
                QString quoted = cell;
                quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
                text.append(QLatin1Char('"') + quoted + QLatin1Char('"'));
            }
            else {
                text.append(cell);
            }
        }
        text.append(QLatin1String("\r\n"));
    }
    return text;
}

} // namespace vantrel::office
