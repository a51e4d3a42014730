#include "data/CsvReader.h"

#include "data/SheetBuilder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace vantrel::data {

namespace {

QString decode(const QByteArray& data)
{
    if (const std::optional<QStringConverter::Encoding> encoding
        = QStringConverter::encodingForData(data)) {
        QStringDecoder decoder(*encoding);
        return decoder.decode(data);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    QStringDecoder latin1(QStringConverter::Latin1);
    return latin1.decode(data);
}

QChar detectDelimiter(const QString& text)
{
    int commas = 0;
    int semicolons = 0;
    int tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            break;
        else if (c == QLatin1Char(','))
            ++commas;
        else if (c == QLatin1Char(';'))
            ++semicolons;
        else if (c == QLatin1Char('\t'))
            ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs)
        return QLatin1Char(';');
    if (tabs > commas && tabs > semicolons)
        return QLatin1Char('\t');
    return QLatin1Char(',');
}

} // namespace

QVariant CsvReader::typedValue(const QString& text)
{
    const QString value = text.trimmed();
    if (value.isEmpty() || !(value.at(0).isDigit() || value.at(0) == QLatin1Char('-')))
        return text.isEmpty() ? QVariant() : QVariant(text);
    // Up to 15 digits, which a double keeps exactly; longer numbers (card or
    // account numbers) and leading zeros stay text.
    static const QRegularExpression number(
        QStringLiteral("^-?(?:0|[1-9][0-9]{0,14})(\\.[0-9]{1,15})?([eE][+-]?[0-9]{1,3})?$"));
    const QRegularExpressionMatch match = number.match(value);
    if (match.hasMatch()) {
        if (match.capturedLength(1) == 0 && match.capturedLength(2) == 0)
            return QVariant(value.toLongLong());
        return SheetBuilder::numberValue(value.toDouble());
    }
    if (value.size() == 10) {
        const QDate date = QDate::fromString(value, Qt::ISODate);
        if (date.isValid())
            return QVariant(date);
    }
    else if (value.size() == 19) {
        QDateTime dateTime = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dateTime.isValid())
            dateTime = QDateTime::fromString(value, Qt::ISODate);
        if (dateTime.isValid())
            return QVariant(dateTime);
    }
    return QVariant(text);
}

bool CsvReader::open(const QString& path, QString* reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    m_path = path;
    m_names = { QFileInfo(path).completeBaseName() };
    return true;
}

QStringList CsvReader::sheetNames() const
{
    return m_names;
}

bool CsvReader::readSheet(int, Worksheet* sheet, QString* reason)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    if (file.size() > maxUnpackedWorkbookBytes) {
        *reason = QStringLiteral("it is larger than %1 MB, more than can be read")
                      .arg(maxUnpackedWorkbookBytes / (1024 * 1024));
        return false;
    }
    const QString text = decode(file.readAll());
    const QChar delimiter = detectDelimiter(text);

    SheetBuilder builder;
    qint64 row = 0;
    qint64 column = 0;
    qint64 line = 1;
    qint64 quoteLine = 0;
    bool inQuotes = false;
    bool quoted = false;
    QString field;
    auto endField = [&]() {
        const bool ok = builder.setCell(row, column, typedValue(field), reason);
        field.clear();
        quoted = false;
        ++column;
        return ok;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                }
                else {
                    inQuotes = false;
                }
            }
            else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
        }
        else if (c == QLatin1Char('"') && field.isEmpty() && !quoted) {
            inQuotes = true;
            quoted = true;
            quoteLine = line;
        }
        else if (c == delimiter) {
            if (!endField())
                return false;
        }
        else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size()
                && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (!endField())
                return false;
            ++row;
            column = 0;
            ++line;
        }
        else {
            field += c;
        }
    }
    if (inQuotes) {
        *reason = QStringLiteral("the quoted value that starts on line %1 is never closed")
                      .arg(quoteLine);
        return false;
    }
    if ((!field.isEmpty() || quoted) && !endField())
        return false;
    sheet->rows = builder.takeRows();
    sheet->headerFormats.clear();
    return true;
}

} // namespace vantrel::data
