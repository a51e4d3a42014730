#include "SampleData.h"

#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Schema.h"
#include "office/RtfWriter.h"

#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QVariantMap>

namespace vantrel::tools {

namespace {

const QDate today(2026, 3, 11);

// Inserts rows into one database; the first failure is kept and ends the writing.
class RowWriter {
public:
    explicit RowWriter(data::Database& db)
        : m_db(db)
    {
    }

    qint64 insert(const QString& table, const QVariantMap& values)
    {
        if (!m_error.isEmpty())
            return 0;
        const QStringList columns = values.keys();
        const QStringList marks(columns.size(), QStringLiteral("?"));
        if (!m_db.execute(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                values.values())) {
            m_error = QStringLiteral("%1: %2").arg(table, m_db.lastError());
            return 0;
        }
        return m_db.lastInsertId();
    }

    void pickList(const QString& table, const QStringList& entries)
    {
        for (const QString& entry : entries)
            insert(table, { { QStringLiteral("TEXT01"), entry } });
    }

    const QString& error() const { return m_error; }

private:
    data::Database& m_db;
    QString m_error;
};

// Call reports are stored as rich text, as the word processor hands them back.
QString rtfOf(const QStringList& lines)
{
    QTextDocument document;
    document.setPlainText(lines.join(QLatin1Char('\n')));
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    QTextCharFormat size;
    size.setFontPointSize(11);
    all.mergeCharFormat(size);
    return QString::fromUtf8(office::writeRtf(document));
}

struct Company {
    const char* name;
    const char* account;
    const char* city;
    const char* region;
    const char* division;
    const char* category;
    const char* type;
    const char* salesPerson;
    const char* telephone;
    int visitFrequency;
    QDate lastVisited;
    const char* notes;
    const char* details;
};

QVariantMap companyRow(const Company& company)
{
    const QString city = QLatin1String(company.city);
    QString web = QString(QLatin1String(company.name)).toLower();
    web.remove(QLatin1Char('.'));
    web = QStringLiteral("www.%1.example").arg(web.split(QLatin1Char(' ')).first());
    return {
        { QStringLiteral("TEXT01"), QLatin1String(company.name) },
        { QStringLiteral("TEXT02"), QLatin1String(company.account) },
        { QStringLiteral("TEXT03"), QStringLiteral("PO Box 218") },
        { QStringLiteral("TEXT04"), city },
        { QStringLiteral("TEXT05"), QStringLiteral("4001") },
        { QStringLiteral("TEXT06"), QStringLiteral("12 Quay Road") },
        { QStringLiteral("TEXT08"), city },
        { QStringLiteral("TEXT09"), QLatin1String(company.region) },
        { QStringLiteral("TEXT10"), QLatin1String(company.telephone) },
        { QStringLiteral("TEXT11"),
            QLatin1String(company.telephone).chopped(3) + QStringLiteral("199") },
        { QStringLiteral("TEXT12"), web },
        { QStringLiteral("TEXT13"), QLatin1String(company.division) },
        { QStringLiteral("TEXT14"), QStringLiteral("Head Office") },
        { QStringLiteral("TEXT15"), QLatin1String(company.category) },
        { QStringLiteral("TEXT17"), QLatin1String(company.type) },
        { QStringLiteral("TEXT18"), QLatin1String(company.salesPerson) },
        { QStringLiteral("TEXT19"), QStringLiteral("Claire Dubois") },
        { QStringLiteral("TEXT20"), QStringLiteral("Company") },
        { QStringLiteral("NUMBER01"), company.visitFrequency },
        // As the companies screen stored it when the company was last shown.
        { QStringLiteral("NUMBER02"),
            qMax(qint64(0), company.lastVisited.daysTo(today) - company.visitFrequency) },
        { QStringLiteral("DATE01"), company.lastVisited },
        { QStringLiteral("DATE03"), QDate(2024, 5, 14) },
        { QStringLiteral("MEMO01"), QLatin1String(company.notes) },
        { QStringLiteral("MEMO02"), QLatin1String(company.details) },
    };
}

struct Contact {
    const char* title;
    const char* firstName;
    const char* lastName;
    const char* occupation;
    const char* designation;
};

QVariantMap contactRow(qint64 company, const Contact& contact, const QString& telephone)
{
    const QString first = QLatin1String(contact.firstName);
    const QString last = QLatin1String(contact.lastName);
    return {
        { QStringLiteral("NUMBER01"), company },
        { QStringLiteral("TEXT01"), QLatin1String(contact.title) },
        { QStringLiteral("TEXT02"), first },
        { QStringLiteral("TEXT03"), last },
        { QStringLiteral("TEXT04"), QStringLiteral("+1 555 0173 %1").arg(first.size() * 111) },
        { QStringLiteral("TEXT05"),
            QStringLiteral("%1.%2@mail.example").arg(first.toLower(), last.toLower()) },
        { QStringLiteral("TEXT06"), QLatin1String(contact.occupation) },
        { QStringLiteral("TEXT07"), QLatin1String(contact.designation) },
        { QStringLiteral("TEXT08"), telephone },
        { QStringLiteral("TEXT11"), first + QLatin1Char(' ') + last },
        { QStringLiteral("DATE03"), QDate(2024, 5, 14) },
    };
}

void writePickLists(RowWriter& rows)
{
    rows.pickList(QStringLiteral("MT01"), { QStringLiteral("Head Office") });
    rows.pickList(
        QStringLiteral("MT02"), { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") });
    rows.pickList(
        QStringLiteral("MT03"), { QStringLiteral("Industrial"), QStringLiteral("Municipal") });
    rows.pickList(QStringLiteral("MT04"),
        { QStringLiteral("Food & Beverage"), QStringLiteral("Mining"), QStringLiteral("Water") });
    rows.pickList(QStringLiteral("MT05"),
        { QStringLiteral("Management"), QStringLiteral("Purchasing"),
            QStringLiteral("Technical") });
    rows.pickList(QStringLiteral("MT06"),
        { QLatin1String(sample::activeProject), QStringLiteral("Service Contract"),
            QStringLiteral("Valve Replacement") });
    rows.pickList(QStringLiteral("MT08"),
        { QStringLiteral("Central"), QStringLiteral("Coast"), QStringLiteral("North") });
    rows.pickList(QStringLiteral("MT09"),
        { QStringLiteral("Dr."), QStringLiteral("Mr."), QStringLiteral("Ms.") });
    rows.pickList(QStringLiteral("MT10"),
        { QStringLiteral("Customer"), QStringLiteral("Prospect"), QStringLiteral("Supplier") });
    rows.pickList(
        QStringLiteral("MT12"), { QStringLiteral("Anna Berg"), QStringLiteral("Tom Reyes") });
    rows.pickList(QStringLiteral("MT13"), { QStringLiteral("Claire Dubois") });
}

void writeCallReports(RowWriter& rows, qint64 company)
{
    struct Report {
        QDate date;
        const char* method;
        const char* person;
        const char* text;
    };
    const Report reports[] = {
        { QDate(2026, 2, 2), "Meeting", "Lindiwe Mokoena   (Purchasing)",
            "Lindiwe confirmed the budget for the pump station upgrade. They want new seals for "
            "the harbour pumps before the July shutdown. Quote for two CP-40 pumps to follow "
            "by Friday." },
        { QDate(2026, 1, 12), "Telephone Call", "Peter Hansen   (Technical)",
            "Peter reported vibration on pump 3. Our service engineer visits on 20 January." },
        { QDate(2025, 11, 20), "Meeting", "Sofia Marquez   (Management)",
            "Annual review with the managing director. Satisfied with deliveries; asked for a "
            "service contract covering all harbour pumps." },
    };
    for (const Report& report : reports) {
        const QStringList lines = {
            QStringLiteral("CALL REPORT"),
            QString(),
            QStringLiteral("Company: ") + QLatin1String(sample::firstCompany),
            QStringLiteral("Sales Person: Anna Berg"),
            QStringLiteral("Method of Contact: ") + QLatin1String(report.method),
            QStringLiteral("Date and Time: ") + data::displayText(report.date)
                + QStringLiteral(" 10:00"),
            QStringLiteral("Person Contacted: ") + QLatin1String(report.person),
            QString(),
            QLatin1String(report.text),
        };
        rows.insert(QStringLiteral("TABLE08"),
            { { QStringLiteral("NUMBER01"), company }, { QStringLiteral("DATE01"), report.date },
                { QStringLiteral("MEMO01"), rtfOf(lines) },
                { QStringLiteral("TEXT01"), QLatin1String(sample::firstCompany) },
                { QStringLiteral("TEXT03"), QStringLiteral("Anna Berg") } });
    }
}

void writeProjects(RowWriter& rows, qint64 company)
{
    const auto project
        = [&](const char* group, const QString& name, const char* status, const char* value,
              const char* probability, const QDate& entered, const QDate& followUp) {
              return rows.insert(QStringLiteral("TABLE06"),
                  { { QStringLiteral("NUMBER01"), company }, { QStringLiteral("DATE01"), entered },
                      { QStringLiteral("TEXT01"), QLatin1String(group) },
                      { QStringLiteral("TEXT02"), name },
                      { QStringLiteral("TEXT03"), QLatin1String(status) },
                      { QStringLiteral("TEXT04"),
                          QLatin1String(sample::firstCompany) + QStringLiteral(": Follow up on ")
                              + name + QLatin1Char('.') },
                      { QStringLiteral("TEXT05"), QLatin1String(value) },
                      { QStringLiteral("TEXT06"), QLatin1String(probability) },
                      { QStringLiteral("DATE02"), followUp } });
          };
    const qint64 upgrade = project("Water", QLatin1String(sample::activeProject), "Active Project",
        "48000", "60", QDate(2025, 12, 1), QDate(2026, 3, 20));
    project("Water", QStringLiteral("Service Contract"), "Active Project", "12500", "80",
        QDate(2025, 11, 20), QDate(2026, 4, 2));
    project("Water", QStringLiteral("Valve Replacement"), "Completed Project", "7400", "100",
        QDate(2025, 6, 3), QDate(2025, 9, 1));
    const struct {
        QDate date;
        const char* text;
    } steps[] = {
        { QDate(2025, 12, 1),
            "Site visit with Peter Hansen: pump station layout and duty points "
            "measured." },
        { QDate(2026, 1, 15), "Proposal for two CP-40 pumps and new seals sent." },
        { QDate(2026, 2, 2), "Budget confirmed by Lindiwe Mokoena; revised quote requested." },
        { QDate(2026, 3, 20), "Follow up on the revised quote." },
    };
    for (const auto& step : steps)
        rows.insert(QStringLiteral("TABLE07"),
            { { QStringLiteral("NUMBER01"), upgrade }, { QStringLiteral("NUMBER02"), company },
                { QStringLiteral("DATE01"), step.date },
                { QStringLiteral("MEMO01"), QLatin1String(step.text) } });
}

void writeProducts(RowWriter& rows, qint64 company)
{
    const struct {
        const char* product;
        const char* competitor;
        const char* equivalent;
        const char* notes;
    } competition[] = {
        { sample::competitorProduct, "Delta Fluid Systems", "Centrifugal pump CP-40",
            "Cheaper by about 8 %, longer delivery times." },
        { "Marine seal kit MS-2", "Delta Fluid Systems", "Seal kit SK-40", "" },
        { "TorqueValve 50", "Keller Valves", "Gate valve GV-50", "Strong in mining." },
        { "HydroMax 12", "Nordic Pump Works", "Submersible pump SP-12", "" },
    };
    for (const auto& row : competition)
        rows.insert(QStringLiteral("TABLE11"),
            { { QStringLiteral("TEXT01"), QLatin1String(row.product) },
                { QStringLiteral("TEXT02"), QLatin1String(row.competitor) },
                { QStringLiteral("TEXT03"), QLatin1String(row.equivalent) },
                { QStringLiteral("TEXT04"),
                    QLatin1String(row.product) + QStringLiteral(" From: ")
                        + QLatin1String(row.competitor) },
                { QStringLiteral("MEMO01"), QLatin1String(row.notes) } });

    rows.insert(QStringLiteral("TABLE10"),
        { { QStringLiteral("NUMBER01"), company }, { QStringLiteral("DATE01"), QDate(2026, 2, 2) },
            { QStringLiteral("TEXT02"), QStringLiteral("Water") },
            { QStringLiteral("TEXT03"),
                QLatin1String(sample::competitorProduct)
                    + QStringLiteral(" From: Delta Fluid Systems") },
            { QStringLiteral("NUMBER02"), 6 },
            { QStringLiteral("TEXT04"), QStringLiteral("3900") } });

    const struct {
        const char* product;
        const char* price;
        const char* currency;
        const char* notes;
    } prices[] = {
        { sample::product, "4250.00", "USD", "Stainless steel, 40 m\u00b3/h." },
        { "Gate valve GV-50", "615.00", "USD", "" },
        { "Seal kit SK-40", "189.50", "USD", "Fits CP-40 and CP-60." },
        { "Service visit, per day", "720.00", "USD", "Travel charged separately." },
        { "Submersible pump SP-12", "2980.00", "USD", "" },
        { "Pressure gauge PG-10", "74.90", "USD", "" },
    };
    for (const auto& row : prices)
        rows.insert(QStringLiteral("TABLE13"),
            { { QStringLiteral("TEXT01"), QString::fromUtf8(row.product) },
                { QStringLiteral("TEXT02"), QLatin1String(row.price) },
                { QStringLiteral("TEXT03"), QLatin1String(row.currency) },
                { QStringLiteral("MEMO01"), QString::fromUtf8(row.notes) } });
}

} // namespace

QDateTime sampleNow()
{
    return QDateTime(today, QTime(9, 30));
}

bool writeSampleData(QString* error)
{
    data::Database db;
    if (!data::openBusinessDatabase(db)) {
        *error = db.lastError();
        return false;
    }
    data::Transaction transaction(db);
    RowWriter rows(db);
    writePickLists(rows);

    const Company companies[] = {
        { sample::firstCompany, "HP-1001", "Port Elsworth", "Coast", "Industrial", "A", "Customer",
            "Anna Berg", "+1 555 0142 100", 30, QDate(2026, 2, 2),
            "Prefers visits on Tuesday mornings. Maintenance shutdown every July.",
            "Family-owned operator of the pumping stations of the port and the shipyards; "
            "85 employees." },
        { sample::overdueCompany, "NM-2040", "Northfield", "North", "Industrial", "B", "Prospect",
            "Tom Reyes", "+1 555 0188 300", 60, QDate(2025, 12, 15),
            "New dewatering project planned for the east pit.",
            "Open-pit copper mine; buys through the group's central purchasing." },
        { "Riverside Water Works", "RW-3310", "Riverside", "Central", "Municipal", "A", "Customer",
            "Anna Berg", "+1 555 0120 500", 30, QDate(2026, 3, 2),
            "Tender for the new filter plant expected in May.",
            "Municipal water utility serving 120,000 people." },
        { "Summit Engineering", "SE-1120", "Port Elsworth", "Coast", "Industrial", "B", "Supplier",
            "Tom Reyes", "+1 555 0142 700", 90, QDate(2026, 1, 20), "Builds our pump skids.",
            "Steel fabrication and skid assembly." },
        { "Westbrook Foods", "WF-5005", "Westbrook", "Central", "Industrial", "C", "Prospect",
            "Anna Berg", "+1 555 0155 900", 45, QDate(2026, 1, 10),
            "Interested in hygienic pumps for the new dairy line.",
            "Dairy and juice producer with two plants." },
    };
    qint64 first = 0;
    for (const Company& company : companies) {
        QVariantMap row = companyRow(company);
        const bool overdue = qstrcmp(company.name, sample::overdueCompany) == 0;
        if (overdue)
            row.insert(
                QStringLiteral("TEXT21"), QStringLiteral("A new appointment has been made."));
        const qint64 key = rows.insert(QStringLiteral("TABLE01"), row);
        if (!first)
            first = key;
        if (overdue)
            rows.insert(QStringLiteral("TABLE03"),
                contactRow(key, { "Mr.", "Daniel", "Okafor", "Technical", "Plant Engineer" },
                    QLatin1String(company.telephone)));
    }

    const Contact contacts[] = {
        { "Ms.", "Lindiwe", "Mokoena", "Purchasing", "Purchasing Manager" },
        { "Mr.", "Peter", "Hansen", "Technical", "Maintenance Engineer" },
        { "Dr.", "Sofia", "Marquez", "Management", "Managing Director" },
    };
    for (const Contact& contact : contacts)
        rows.insert(QStringLiteral("TABLE03"),
            contactRow(first, contact, QStringLiteral("+1 555 0142 120")));

    writeCallReports(rows, first);
    writeProjects(rows, first);
    writeProducts(rows, first);

    if (!rows.error().isEmpty()) {
        *error = rows.error();
        return false;
    }
    if (!transaction.commit()) {
        *error = db.lastError();
        return false;
    }
    return true;
}

} // namespace vantrel::tools
