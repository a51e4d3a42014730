#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vantrel::data {
class Database;
}

namespace vantrel::companies {

// Contacts exchanged with a desktop mail program: written as the comma-separated
// file that mail programs' address-book import reads and as vCards, and company
// details read back from either kind of file a mail program exports.
namespace ContactExchange {

// One exported contact, in the order of the exported columns.
struct ExportRow {
    QString company;
    QString businessStreet;
    QString businessStreet2;
    QString businessCity;
    QString businessPhone;
    QString businessFax;
    QString webPage;
    QString title;
    QString firstName;
    QString lastName;
    QString mobilePhone;
    QString email;
    QString jobTitle;
    QString assistant;
};

// The company details the import reads, named as the table Contacts names them.
struct ImportRow {
    QString company;
    QString businessCity;
    QString businessPhone;
    QString businessFax;
    QString webPage;
};

const QStringList& csvHeadings();

// The contacts of the sales person's active companies, by company. The name is a
// bound value: any text, apostrophes included, finds exactly that sales person.
bool exportRows(
    data::Database& db, const QString& salesPerson, QList<ExportRow>* rows, QString* error);

// UTF-8 with a byte order mark, comma-separated, CRLF line ends, a field quoted
// when it holds a comma, a quote, a line break or blanks at either end.
QByteArray csvText(const QList<ExportRow>& rows);
// vCard 4.0, one card per contact, lines folded at 75 octets.
QByteArray vCardText(const QList<ExportRow>& rows);

// Both files, each replaced whole or left as it was.
bool writeExport(
    const QList<ExportRow>& rows, const QString& csvPath, const QString& vCardPath, QString* error);

// A .csv (headings as mail programs write them: "Company", "Business City",
// "Organization", "Work City" ...) or a .vcf/.vcard file. Contacts without a
// company name are skipped: a company needs a name to be found again.
bool readAddressBook(const QString& path, QList<ImportRow>* rows, QString* error);

// Replaces the table Contacts in the database with these rows.
bool loadContactsTable(data::Database& db, const QList<ImportRow>& rows, QString* error);

// One new company for each distinct combination of name, city, telephone,
// telefax and web page in the table Contacts; returns how many were added.
bool insertCompanies(data::Database& db, int* added, QString* error);

// Drops the table Contacts; a missing table is no failure.
void dropContactsTable(data::Database& db);

} // namespace ContactExchange

} // namespace vantrel::companies
