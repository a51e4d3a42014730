#include "companies/ContactExchange.h"

#include "data/CsvReader.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Worksheet.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace vantrel::companies::ContactExchange {

namespace {

constexpr qint64 maxAddressBookBytes = 64 * 1024 * 1024;

QString text(const QVariant& value)
{
    return value.isValid() && !value.isNull() ? data::displayText(value) : QString();
}

QByteArray csvField(const QString& value)
{
    const bool quoted = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"'))
        || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))
        || (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
    if (!quoted)
        return value.toUtf8();
    QString inner = value;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + inner.toUtf8() + '"';
}

QStringList fieldsOf(const ExportRow& row)
{
    return { row.company, row.businessStreet, row.businessStreet2, row.businessCity,
        row.businessPhone, row.businessFax, row.webPage, row.title, row.firstName, row.lastName,
        row.mobilePhone, row.email, row.jobTitle, row.assistant };
}

QString vCardEscaped(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' || c == u',' || c == u';') {
            escaped += QLatin1Char('\\');
            escaped += c;
        }
        else if (c == u'\r') {
            if (i + 1 < value.size() && value.at(i + 1) == u'\n')
                ++i;
            escaped += QStringLiteral("\\n");
        }
        else if (c == u'\n') {
            escaped += QStringLiteral("\\n");
        }
        else {
            escaped += c;
        }
    }
    return escaped;
}

// Content lines longer than 75 octets continue on lines that start with a blank,
// never inside the bytes of one character.
void appendFolded(QByteArray* out, const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    int start = 0;
    int limit = 75;
    while (bytes.size() - start > limit) {
        int end = start + limit;
        while (end > start && (uchar(bytes.at(end)) & 0xC0) == 0x80)
            --end;
        out->append(bytes.mid(start, end - start));
        out->append("\r\n ");
        start = end;
        limit = 74;
    }
    out->append(bytes.mid(start));
    out->append("\r\n");
}

bool writeFile(const QString& path, const QByteArray& content, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()
        || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

// "Business City", "business_city" and "BusinessCity" are one heading.
QString headingKey(const QString& heading)
{
    QString key;
    for (const QChar c : heading) {
        if (c.isLetterOrNumber())
            key += c.toLower();
    }
    return key;
}

// Headings of the address-book files of the common mail programs.
const QList<QStringList>& headingAliases()
{
    static const QList<QStringList> aliases {
        { QStringLiteral("company"), QStringLiteral("organization"), QStringLiteral("organisation"),
            QStringLiteral("organizationname"), QStringLiteral("organization1name"),
            QStringLiteral("companyname") },
        { QStringLiteral("businesscity"), QStringLiteral("workcity"),
            QStringLiteral("address1city") },
        { QStringLiteral("businessphone"), QStringLiteral("workphone"),
            QStringLiteral("businesstelephone"), QStringLiteral("phone1value") },
        { QStringLiteral("businessfax"), QStringLiteral("faxnumber"), QStringLiteral("workfax"),
            QStringLiteral("fax") },
        { QStringLiteral("webpage"), QStringLiteral("webpage1"), QStringLiteral("website"),
            QStringLiteral("webaddress"), QStringLiteral("website1value"),
            QStringLiteral("businesswebpage") },
    };
    return aliases;
}

bool readCsv(const QString& path, QList<ImportRow>* rows, QString* error)
{
    data::CsvReader reader;
    data::Worksheet sheet;
    QString reason;
    if (!reader.open(path, &reason) || !reader.readSheet(0, &sheet, &reason)) {
        *error = reason;
        return false;
    }
    if (sheet.rows.isEmpty()) {
        *error = QStringLiteral("it holds no headings");
        return false;
    }
    QList<int> columns(headingAliases().size(), -1);
    const QVariantList& headings = sheet.rows.first();
    for (int c = 0; c < headings.size(); ++c) {
        const QString key = headingKey(text(headings.at(c)));
        for (int field = 0; field < headingAliases().size(); ++field) {
            if (columns[field] < 0 && headingAliases().at(field).contains(key))
                columns[field] = c;
        }
    }
    if (columns.first() < 0) {
        *error = QStringLiteral("it has no column \"Company\"");
        return false;
    }
    const auto cell = [&](const QVariantList& row, int field) {
        const int column = columns.at(field);
        return column < 0 ? QString() : text(row.value(column)).trimmed();
    };
    for (qsizetype r = 1; r < sheet.rows.size(); ++r) {
        const QVariantList& row = sheet.rows.at(r);
        const ImportRow imported { cell(row, 0), cell(row, 1), cell(row, 2), cell(row, 3),
            cell(row, 4) };
        if (!imported.company.isEmpty())
            rows->append(imported);
    }
    return true;
}

struct ContentLine {
    QString name; // upper case, without group
    QStringList parameters; // lower case, split at ";", "," and "="
    QString value; // as written, still escaped
};

QString decodeQuotedPrintable(const QString& value, const QString& charset)
{
    QByteArray bytes;
    const QByteArray raw = value.toLatin1();
    for (int i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == '=' && i + 2 < raw.size()) {
            bool ok = false;
            const int byte = raw.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                bytes.append(char(byte));
                i += 2;
                continue;
            }
        }
        bytes.append(raw.at(i));
    }
    if (charset.isEmpty() || charset == u"utf8")
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(charset.toLatin1().constData());
    return decoder.isValid() ? QString(decoder(bytes)) : QString::fromLatin1(bytes);
}

std::optional<ContentLine> parseLine(const QString& line)
{
    // The value starts after the first colon outside a quoted parameter value.
    int colon = -1;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        if (line.at(i) == u'"')
            quoted = !quoted;
        else if (line.at(i) == u':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon < 0)
        return std::nullopt;
    QStringList head = line.left(colon).split(QLatin1Char(';'));
    ContentLine parsed;
    parsed.name = head.takeFirst().section(QLatin1Char('.'), -1).toUpper();
    for (const QString& parameter : head) {
        for (const QString& part : parameter.split(QRegularExpression(QStringLiteral("[,=]"))))
            parsed.parameters << part.trimmed().remove(QLatin1Char('"')).toLower();
    }
    parsed.value = line.mid(colon + 1);
    if (parsed.parameters.contains(u"quoted-printable")) {
        const int charsetAt = parsed.parameters.indexOf(u"charset");
        const QString charset = charsetAt >= 0
            ? parsed.parameters.value(charsetAt + 1).remove(QLatin1Char('-'))
            : QString();
        parsed.value = decodeQuotedPrintable(parsed.value, charset);
    }
    return parsed;
}

// Components of a structured value, split at unescaped semicolons and unescaped.
QStringList components(const QString& value)
{
    QStringList parts { QString() };
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            parts.last() += (next == u'n' || next == u'N') ? QChar(u'\n') : next;
        }
        else if (c == u';') {
            parts << QString();
        }
        else {
            parts.last() += c;
        }
    }
    return parts;
}

QStringList unfoldedLines(const QString& content)
{
    QStringList lines;
    const QStringList physical = content.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    bool softBreak = false; // a quoted-printable line ending in "=" goes on in the next one
    for (const QString& line : physical) {
        if (!lines.isEmpty()
            && (line.startsWith(QLatin1Char(' ')) || line.startsWith(QLatin1Char('\t')))) {
            lines.last() += line.mid(1);
        }
        else if (softBreak && !lines.isEmpty()) {
            lines.last().chop(1);
            lines.last() += line;
        }
        else {
            lines << line;
        }
        softBreak = lines.last().endsWith(QLatin1Char('='))
            && lines.last()
                   .section(QLatin1Char(':'), 0, 0)
                   .contains(QStringLiteral("QUOTED-PRINTABLE"), Qt::CaseInsensitive);
    }
    return lines;
}

bool readVCards(const QString& path, QList<ImportRow>* rows, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QByteArray bytes = file.readAll();
    QString content;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        content = QString::fromUtf8(bytes.mid(3));
    else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        content = QStringDecoder(QStringDecoder::Utf16)(bytes);
    else
        content = QString::fromUtf8(bytes);
    bool inCard = false;
    bool anyCard = false;
    ImportRow card;
    QString phone;
    QString anyPhone;
    QString fax;
    bool workFax = false;
    bool workAddress = false;
    for (const QString& line : unfoldedLines(content)) {
        const std::optional<ContentLine> parsed = parseLine(line);
        if (!parsed)
            continue;
        const ContentLine& property = *parsed;
        if (property.name == u"BEGIN"
            && property.value.trimmed().compare(u"VCARD", Qt::CaseInsensitive) == 0) {
            inCard = true;
            card = {};
            phone.clear();
            anyPhone.clear();
            fax.clear();
            workFax = false;
            workAddress = false;
            continue;
        }
        if (!inCard)
            continue;
        const QStringList& types = property.parameters;
        if (property.name == u"END") {
            inCard = false;
            anyCard = true;
            card.businessPhone = phone.isEmpty() ? anyPhone : phone;
            card.businessFax = fax;
            card.company = card.company.trimmed();
            if (!card.company.isEmpty())
                rows->append(card);
        }
        else if (property.name == u"ORG" && card.company.isEmpty()) {
            card.company = components(property.value).value(0);
        }
        else if (property.name == u"ADR") {
            const bool work = types.contains(u"work");
            if (card.businessCity.isEmpty() || (work && !workAddress)) {
                card.businessCity = components(property.value).value(3).trimmed();
                workAddress = work;
            }
        }
        else if (property.name == u"TEL") {
            const QString number = components(property.value)
                                       .join(QLatin1Char(';'))
                                       .trimmed()
                                       .remove(QRegularExpression(QStringLiteral("^tel:")));
            if (types.contains(u"fax")) {
                if (fax.isEmpty() || (types.contains(u"work") && !workFax)) {
                    fax = number;
                    workFax = types.contains(u"work");
                }
            }
            else if (types.contains(u"work") && !types.contains(u"cell") && phone.isEmpty()) {
                phone = number;
            }
            else if (!types.contains(u"cell") && !types.contains(u"home") && anyPhone.isEmpty()) {
                anyPhone = number;
            }
        }
        else if (property.name == u"URL" && card.webPage.isEmpty()) {
            card.webPage = components(property.value).join(QLatin1Char(';')).trimmed();
        }
    }
    if (!anyCard) {
        *error = QStringLiteral("it holds no vCard");
        return false;
    }
    return true;
}

} // namespace

const QStringList& csvHeadings()
{
    static const QStringList headings { QStringLiteral("Company"),
        QStringLiteral("Business Street"), QStringLiteral("Business Street2"),
        QStringLiteral("Business City"), QStringLiteral("Business Phone"),
        QStringLiteral("Business Fax"), QStringLiteral("Web Page"), QStringLiteral("Title"),
        QStringLiteral("First Name"), QStringLiteral("Last Name"), QStringLiteral("Mobile Phone"),
        QStringLiteral("E-mail Address"), QStringLiteral("Job Title"),
        QStringLiteral("Assistant's Name") };
    return headings;
}

bool exportRows(
    data::Database& db, const QString& salesPerson, QList<ExportRow>* rows, QString* error)
{
    data::QueryResult result;
    if (!db.query(
            QStringLiteral("SELECT TABLE01.TEXT01, TABLE01.TEXT06, TABLE01.TEXT07, TABLE01.TEXT08, "
                           "TABLE01.TEXT10, TABLE01.TEXT11, TABLE01.TEXT12, TABLE03.TEXT01, "
                           "TABLE03.TEXT02, TABLE03.TEXT03, TABLE03.TEXT04, TABLE03.TEXT05, "
                           "TABLE03.TEXT07, TABLE03.TEXT10 FROM TABLE01, TABLE03 "
                           "WHERE TABLE01.AUTONUMBER = TABLE03.NUMBER01 AND TABLE01.TEXT20 = ? "
                           "AND TABLE01.TEXT18 = ? "
                           "ORDER BY TABLE01.TEXT01, TABLE01.AUTONUMBER, TABLE03.AUTONUMBER"),
            { QStringLiteral("Company"), salesPerson }, &result)) {
        *error = db.lastError();
        return false;
    }
    for (const QVariantList& row : result.rows) {
        const auto at = [&row](int column) { return text(row.value(column)); };
        rows->append({ at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8), at(9), at(10),
            at(11), at(12), at(13) });
    }
    return true;
}

QByteArray csvText(const QList<ExportRow>& rows)
{
    QByteArray out("\xEF\xBB\xBF");
    const auto appendRow = [&out](const QStringList& fields) {
        for (int i = 0; i < fields.size(); ++i) {
            if (i > 0)
                out.append(',');
            out.append(csvField(fields.at(i)));
        }
        out.append("\r\n");
    };
    appendRow(csvHeadings());
    for (const ExportRow& row : rows)
        appendRow(fieldsOf(row));
    return out;
}

QByteArray vCardText(const QList<ExportRow>& rows)
{
    QByteArray out;
    for (const ExportRow& row : rows) {
        const auto property = [&out](const QString& name, const QString& value) {
            if (!value.trimmed().isEmpty())
                appendFolded(&out, name + QLatin1Char(':') + value);
        };
        appendFolded(&out, QStringLiteral("BEGIN:VCARD"));
        appendFolded(&out, QStringLiteral("VERSION:4.0"));
        QString formatted = QStringList { row.title, row.firstName, row.lastName }
                                .filter(QRegularExpression(QStringLiteral("\\S")))
                                .join(QLatin1Char(' '));
        if (formatted.isEmpty())
            formatted = row.company;
        appendFolded(&out, QStringLiteral("FN:") + vCardEscaped(formatted));
        appendFolded(&out,
            QStringLiteral("N:") + vCardEscaped(row.lastName) + QLatin1Char(';')
                + vCardEscaped(row.firstName) + QStringLiteral(";;") + vCardEscaped(row.title)
                + QLatin1Char(';'));
        property(QStringLiteral("ORG"), vCardEscaped(row.company));
        property(QStringLiteral("TITLE"), vCardEscaped(row.jobTitle));
        property(QStringLiteral("EMAIL;TYPE=work"), vCardEscaped(row.email.trimmed()));
        property(QStringLiteral("TEL;TYPE=work,voice;VALUE=text"), vCardEscaped(row.businessPhone));
        property(QStringLiteral("TEL;TYPE=work,fax;VALUE=text"), vCardEscaped(row.businessFax));
        property(QStringLiteral("TEL;TYPE=cell;VALUE=text"), vCardEscaped(row.mobilePhone));
        if (!(row.businessStreet + row.businessStreet2 + row.businessCity).trimmed().isEmpty()) {
            QString street = row.businessStreet;
            if (!row.businessStreet2.isEmpty())
                street
                    += (street.isEmpty() ? QString() : QStringLiteral("\n")) + row.businessStreet2;
            appendFolded(&out,
                QStringLiteral("ADR;TYPE=work:;;") + vCardEscaped(street) + QLatin1Char(';')
                    + vCardEscaped(row.businessCity) + QStringLiteral(";;;"));
        }
        property(QStringLiteral("URL"), vCardEscaped(row.webPage));
        property(QStringLiteral("RELATED;TYPE=assistant;VALUE=text"), vCardEscaped(row.assistant));
        appendFolded(&out, QStringLiteral("END:VCARD"));
    }
    return out;
}

bool writeExport(
    const QList<ExportRow>& rows, const QString& csvPath, const QString& vCardPath, QString* error)
{
    return writeFile(csvPath, csvText(rows), error) && writeFile(vCardPath, vCardText(rows), error);
}

bool readAddressBook(const QString& path, QList<ImportRow>* rows, QString* error)
{
    const QFileInfo info(path);
    QString reason;
    bool read = false;
    if (!info.isFile()) {
        reason = QStringLiteral("it does not exist");
    }
    else if (info.size() > maxAddressBookBytes) {
        reason = QStringLiteral("it is too large for an address book");
    }
    else {
        const QString suffix = info.suffix().toLower();
        if (suffix == u"vcf" || suffix == u"vcard")
            read = readVCards(path, rows, &reason);
        else if (suffix == u"csv" || suffix == u"txt")
            read = readCsv(path, rows, &reason);
        else
            reason = QStringLiteral("it is neither a CSV file nor a vCard file");
    }
    if (!read)
        *error = QStringLiteral("The file '") + info.fileName()
            + QStringLiteral("' could not be read: ") + reason + QLatin1Char('.');
    return read;
}

bool loadContactsTable(data::Database& db, const QList<ImportRow>& rows, QString* error)
{
    data::Transaction transaction(db);
    const bool loaded = transaction.isActive()
        && db.execute(QStringLiteral("DROP TABLE IF EXISTS Contacts"))
        && db.execute(QStringLiteral("CREATE TABLE Contacts (AUTONUMBER INTEGER PRIMARY KEY, "
                                     "Company TEXT COLLATE VANTREL_NOCASE, "
                                     "BusinessCity TEXT COLLATE VANTREL_NOCASE, "
                                     "BusinessPhone TEXT COLLATE VANTREL_NOCASE, "
                                     "BusinessFax TEXT COLLATE VANTREL_NOCASE, "
                                     "WebPage TEXT COLLATE VANTREL_NOCASE)"))
        && std::all_of(rows.begin(), rows.end(),
            [&db](const ImportRow& row) {
                const auto orNull = [](const QString& value) {
                    return value.isEmpty() ? QVariant() : QVariant(value);
                };
                return db.execute(
                    QStringLiteral("INSERT INTO Contacts (Company, BusinessCity, BusinessPhone, "
                                   "BusinessFax, WebPage) VALUES (?, ?, ?, ?, ?)"),
                    { row.company, orNull(row.businessCity), orNull(row.businessPhone),
                        orNull(row.businessFax), orNull(row.webPage) });
            })
        && transaction.commit();
    if (!loaded)
        *error = db.lastError();
    return loaded;
}

bool insertCompanies(data::Database& db, int* added, QString* error)
{
    if (!db.execute(QStringLiteral(
            "INSERT INTO TABLE01 (TEXT01, TEXT08, TEXT10, TEXT11, TEXT12) SELECT DISTINCT "
            "Contacts.Company, Contacts.BusinessCity, Contacts.BusinessPhone, "
            "Contacts.BusinessFax, Contacts.WebPage FROM Contacts"))) {
        *error = db.lastError();
        return false;
    }
    *added = db.changedRows();
    return true;
}

void dropContactsTable(data::Database& db)
{
    db.execute(QStringLiteral("DROP TABLE IF EXISTS Contacts"));
}

} // namespace vantrel::companies::ContactExchange
