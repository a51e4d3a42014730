#include "data/CellReference.h"

namespace vantrel::data {

std::optional<CellReference> CellReference::parse(QStringView text)
{
    CellReference place;
    qsizetype i = 0;
    if (i < text.size() && text.at(i) == QLatin1Char('$'))
        ++i;
    qint64 column = 0;
    const qsizetype lettersStart = i;
    while (i < text.size() && text.at(i).isLetter() && text.at(i).toLatin1() != 0) {
        const char letter = QChar::toUpper(text.at(i).unicode());
        if (letter < 'A' || letter > 'Z' || i - lettersStart >= 3)
            return std::nullopt;
        column = column * 26 + (letter - 'A' + 1);
        ++i;
    }
    if (i > lettersStart) {
        if (column > maxColumns)
            return std::nullopt;
        place.column = int(column - 1);
    }
    if (i < text.size() && text.at(i) == QLatin1Char('$'))
        ++i;
    const qsizetype digitsStart = i;
    qint64 row = 0;
    while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
        row = row * 10 + (text.at(i).unicode() - '0');
        if (row > maxRows)
            return std::nullopt;
        ++i;
    }
    if (i > digitsStart) {
        if (row < 1)
            return std::nullopt;
        place.row = int(row - 1);
    }
    if (i != text.size() || (!place.row && !place.column))
        return std::nullopt;
    return place;
}

QString CellReference::columnName(int column)
{
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QLatin1Char(char('A' + (n - 1) % 26)));
    return name;
}

} // namespace vantrel::data
