#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "app/ScreenCatalog.h"
#include "companies/ContactExchange.h"
#include "companies/FormExport.h"
#include "companies/FormImport.h"
#include "companies/OpenFileChooser.h"
#include "data/CsvReader.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/MessageBox.h"
#include "ui/ManualLink.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "TestFolder.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace vantrel;
using companies::FormExport;
using companies::FormImport;
using test::insertRow;

namespace {

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

QList<QStringList> readCsv(const QString& path)
{
    data::CsvReader reader;
    data::Worksheet sheet;
    QString reason;
    if (!reader.open(path, &reason) || !reader.readSheet(0, &sheet, &reason))
        qFatal("%s", qPrintable(reason));
    QList<QStringList> rows;
    for (const QVariantList& row : sheet.rows) {
        QStringList texts;
        for (const QVariant& value : row)
            texts << value.toString();
        rows << texts;
    }
    return rows;
}

// The properties of each card as a reader of vCards sees them: folded lines
// joined, values unescaped, keyed by the property name with its parameters.
QList<QMultiMap<QString, QString>> readCards(const QByteArray& content)
{
    QList<QMultiMap<QString, QString>> cards;
    QString unfolded = QString::fromUtf8(content);
    unfolded.replace(QStringLiteral("\r\n "), QString());
    for (const QString& line : unfolded.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const int colon = line.indexOf(QLatin1Char(':'));
        const QString name = line.left(colon);
        QString value = line.mid(colon + 1);
        if (name == u"BEGIN") {
            cards.append(QMultiMap<QString, QString>());
            continue;
        }
        QString plain;
        for (int i = 0; i < value.size(); ++i) {
            if (value.at(i) == u'\\' && i + 1 < value.size()) {
                const QChar next = value.at(++i);
                plain += next == u'n' ? QChar(u'\n') : next;
            }
            else {
                plain += value.at(i);
            }
        }
        cards.last().insert(name, plain);
    }
    return cards;
}

} // namespace

class TestContactExchange : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exportOfASalesPersonWithoutActiveCompaniesHasTheHeadingsAlone();
    void exportReadsBackFieldByFieldAndLeavesArchivedCompaniesOut();
    void vCardsCarryEachContactAndFoldLongLines();
    void importOfAnOutlookCsvAddsEachDistinctCompany();
    void importOfVCardsAsMailProgramsWriteThem();
    void secondImportAsksAndYesAddsTheCompaniesAgain();
    void yesWithoutTheTableReportsTheFailure();
    void unreadableFileIsReportedAndStoresNothing();
    void closingTheImportDialogDropsContacts();

private:
    FormExport* openExport()
    {
        auto* form = ui::Screens::bringToFront<FormExport>(QStringLiteral("FormExport"));
        if (!form)
            qFatal("no export dialog");
        return form;
    }
    FormImport* openImport()
    {
        auto* form = ui::Screens::bringToFront<FormImport>(QStringLiteral("FormImport"));
        if (!form)
            qFatal("no import dialog");
        return form;
    }
    QStringList companyNames()
    {
        data::Database db = test::businessDatabase();
        data::QueryResult result;
        db.query(
            QStringLiteral("SELECT TEXT01 FROM TABLE01 ORDER BY TEXT01, AUTONUMBER"), {}, &result);
        QStringList names;
        for (const QVariantList& row : result.rows)
            names << row.value(0).toString();
        return names;
    }
    void addContacts();

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    companies::RecordingOpenFileChooser* m_files = nullptr;
};

void TestContactExchange::initTestCase()
{
    app::registerScreens();
}

void TestContactExchange::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    auto files = std::make_unique<companies::RecordingOpenFileChooser>();
    m_files = files.get();
    companies::OpenFileChooser::setHandler(std::move(files));
}

void TestContactExchange::cleanup()
{
    ui::Screens::closeAll();
    companies::OpenFileChooser::setHandler(nullptr);
    platform::MessageBox::setHandler(nullptr);
    m_folder.reset();
}

void TestContactExchange::addContacts()
{
    const qint64 cafe = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Café \"Zürich\", Ltd" }, { "TEXT06", "1 Long Road" },
            { "TEXT07", "Unit 2\nBack entrance" }, { "TEXT08", "Genève" },
            { "TEXT10", "+41 22 555" }, { "TEXT11", "+41 22 556" },
            { "TEXT12", "https://cafe.example" }, { "TEXT18", "O'Brien" },
            { "TEXT20", "Company" } });
    const qint64 archived = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Archived Ltd" }, { "TEXT18", "O'Brien" }, { "TEXT20", "Archive" } });
    const qint64 other = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Other" }, { "TEXT18", "Someone Else" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT01", "Dr" }, { "TEXT02", "Zoë" }, { "TEXT03", "D'Arcy; Smith" },
            { "TEXT04", "082 1" }, { "TEXT05", "zoe@cafe.example" },
            { "TEXT07", "Head of Sales, EMEA" }, { "TEXT10", "Ann \"the\" Aide" },
            { "NUMBER01", cafe } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Old" }, { "TEXT03", "Timer" }, { "NUMBER01", archived } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Not" }, { "TEXT03", "Mine" }, { "NUMBER01", other } });
    insertRow(QStringLiteral("MT12"), { { "TEXT01", "O'Brien" } });
}

void TestContactExchange::exportOfASalesPersonWithoutActiveCompaniesHasTheHeadingsAlone()
{
    addContacts();
    FormExport* form = openExport();
    QCOMPARE(form->windowTitle(), QStringLiteral("Export"));
    auto* exportButton = test::findControl<QPushButton>(form, "CommandExport");
    QVERIFY(!exportButton->isEnabled());
    form->chooseName(QStringLiteral("Nobody"));
    QVERIFY(exportButton->isEnabled());
    exportButton->click();
    QCOMPARE(test::findControl<QLabel>(form, "LabelDone")->text(),
        QStringLiteral("All contacts successfully exported!"));
    QVERIFY(!exportButton->isEnabled());
    const QList<QStringList> rows = readCsv(FormExport::csvPath());
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first(), companies::ContactExchange::csvHeadings());
    QCOMPARE(rows.first().size(), 14);
    QVERIFY(fileContent(FormExport::vCardPath()).isEmpty());
    QCOMPARE(form->findChild<ui::ManualLink*>()->page(), 58);
}

void TestContactExchange::exportReadsBackFieldByFieldAndLeavesArchivedCompaniesOut()
{
    addContacts();
    // A table left by an unfinished import goes.
    test::businessDatabase().execute(QStringLiteral("CREATE TABLE Contacts (Company TEXT)"));
    FormExport* form = openExport();
    form->chooseName(QStringLiteral("O'Brien"));
    form->exportContacts();
    QVERIFY(m_messages->shown.isEmpty());
    QVERIFY(!test::businessDatabase().tableExists(QStringLiteral("Contacts")));

    const QByteArray raw = fileContent(FormExport::csvPath());
    QVERIFY(raw.startsWith("\xEF\xBB\xBF"
                           "Company,Business Street,Business Street2,Business City,"
                           "Business Phone,Business Fax,Web Page,Title,First Name,Last Name,"
                           "Mobile Phone,E-mail Address,Job Title,Assistant's Name\r\n"));
    const QList<QStringList> rows = readCsv(FormExport::csvPath());
    QCOMPARE(rows.size(), 2);
    const QStringList expected { "Café \"Zürich\", Ltd", "1 Long Road", "Unit 2\nBack entrance",
        "Genève", "+41 22 555", "+41 22 556", "https://cafe.example", "Dr", "Zoë", "D'Arcy; Smith",
        "082 1", "zoe@cafe.example", "Head of Sales, EMEA", "Ann \"the\" Aide" };
    QCOMPARE(rows.at(1), expected);
}

void TestContactExchange::vCardsCarryEachContactAndFoldLongLines()
{
    addContacts();
    FormExport* form = openExport();
    form->chooseName(QStringLiteral("O'Brien"));
    form->exportContacts();
    const QByteArray raw = fileContent(FormExport::vCardPath());
    for (const QByteArray& line : raw.split('\n'))
        QVERIFY2(line.size() <= 76, line.constData()); // 75 octets and the CR
    const auto cards = readCards(raw);
    QCOMPARE(cards.size(), 1);
    const QMultiMap<QString, QString>& card = cards.first();
    QCOMPARE(card.value(QStringLiteral("VERSION")), QStringLiteral("4.0"));
    QCOMPARE(card.value(QStringLiteral("FN")), QStringLiteral("Dr Zoë D'Arcy; Smith"));
    QCOMPARE(card.value(QStringLiteral("N")), QStringLiteral("D'Arcy; Smith;Zoë;;Dr;"));
    QCOMPARE(card.value(QStringLiteral("ORG")), QStringLiteral("Café \"Zürich\", Ltd"));
    QCOMPARE(card.value(QStringLiteral("TITLE")), QStringLiteral("Head of Sales, EMEA"));
    QCOMPARE(card.value(QStringLiteral("EMAIL;TYPE=work")), QStringLiteral("zoe@cafe.example"));
    QCOMPARE(
        card.value(QStringLiteral("TEL;TYPE=work,voice;VALUE=text")), QStringLiteral("+41 22 555"));
    QCOMPARE(
        card.value(QStringLiteral("TEL;TYPE=work,fax;VALUE=text")), QStringLiteral("+41 22 556"));
    QCOMPARE(card.value(QStringLiteral("TEL;TYPE=cell;VALUE=text")), QStringLiteral("082 1"));
    QCOMPARE(card.value(QStringLiteral("ADR;TYPE=work")),
        QStringLiteral(";;1 Long Road\nUnit 2\nBack entrance;Genève;;;"));
    QCOMPARE(card.value(QStringLiteral("URL")), QStringLiteral("https://cafe.example"));
    // The semicolon inside the last name is escaped, so the name keeps its parts.
    QVERIFY(raw.contains("N:D'Arcy\\; Smith;Zo\xC3\xAB;;Dr;"));
}

void TestContactExchange::importOfAnOutlookCsvAddsEachDistinctCompany()
{
    // As the mail program writes it: quoted headings, empty fields, a comma inside a name.
    writeFile(QStringLiteral("outlook.csv"),
        "\"Title\",\"First Name\",\"Last Name\",\"Company\",\"Business Street\","
        "\"Business City\",\"Business Phone\",\"Business Fax\",\"Web Page\"\r\n"
        "\"\",\"Ann\",\"Lee\",\"Rock, Paper & Co\",\"1 Way\",\"Zürich\",\"0123\",\"\","
        "\"rock.example\"\r\n"
        "\"\",\"Bo\",\"Lee\",\"Rock, Paper & Co\",\"1 Way\",\"Zürich\",\"0123\",\"\","
        "\"rock.example\"\r\n"
        "\"\",\"Cy\",\"Lone\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\"\",\"Di\",\"Dot\",\"Dot Ltd\",\"\",\"Bern\",\"\",\"031 1\",\"\"\r\n");
    m_files->answers << QStringLiteral("outlook.csv");
    FormImport* form = openImport();
    QCOMPARE(form->windowTitle(), QStringLiteral("Import from MS-Outlook"));
    test::findControl<QPushButton>(form, "CommandImport")->click();
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(companyNames(), QStringList({ "Dot Ltd", "Rock, Paper & Co" }));
    data::QueryResult rock;
    test::businessDatabase().query(QStringLiteral("SELECT TEXT08, TEXT10, TEXT11, TEXT12, TEXT20 "
                                                  "FROM TABLE01 WHERE TEXT01 LIKE 'Rock*'"),
        {}, &rock);
    QCOMPARE(rock.rows.size(), 1);
    QCOMPARE(rock.rows.first().value(0).toString(), QStringLiteral("Zürich"));
    QCOMPARE(rock.rows.first().value(1).toString(), QStringLiteral("0123"));
    QCOMPARE(rock.rows.first().value(3).toString(), QStringLiteral("rock.example"));
    // Imported companies take the state that shows them on the companies screen.
    QCOMPARE(rock.rows.first().value(4).toString(), QStringLiteral("Company"));
    QCOMPARE(test::rowCount(QStringLiteral("TABLE03")), 0);
    QVERIFY(
        test::findControl<QLabel>(form, "Label1")
            ->text()
            .startsWith(QStringLiteral("All records successfully imported! Go to 'Companies'")));
    QVERIFY(!test::findControl<QPushButton>(form, "CommandImport")->isEnabled());
    QCOMPARE(FormImport::guard(), QStringLiteral("1"));
    QCOMPARE(form->findChild<ui::ManualLink*>()->page(), 12);
}

void TestContactExchange::importOfVCardsAsMailProgramsWriteThem()
{
    // A vCard 3.0 card with a folded line, and a 2.1 card in quoted-printable.
    writeFile(QStringLiteral("book.vcf"),
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\nN:Lee;Ann;;;\r\n"
        "ORG:Grande Soci\xC3\xA9t\xC3\xA9 des Eaux\\, SA;Sales\r\n"
        "item1.ADR;TYPE=HOME:;;2 Home St;Lyon;;;\r\n"
        "ADR;TYPE=WORK,PREF:;;1 Rue;Paris;;75001;France\r\n"
        "TEL;TYPE=CELL:06 1\r\nTEL;TYPE=WORK,VOICE:01 2\r\nTEL;TYPE=WORK,FAX:01 3\r\n"
        "URL:https://grande.exa\r\n mple/\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Dot;Di\r\n"
        "ORG;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller =\r\nAG\r\n"
        "TEL;WORK;VOICE:031 1\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:No Company\r\nEND:VCARD\r\n");
    FormImport* form = openImport();
    QVERIFY(form->importFile(QStringLiteral("book.vcf")));
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(companyNames(), QStringList({ "Grande Société des Eaux, SA", "Müller AG" }));
    data::QueryResult grande;
    test::businessDatabase().query(
        QStringLiteral("SELECT TEXT08, TEXT10, TEXT11, TEXT12 FROM TABLE01 ORDER BY TEXT01"), {},
        &grande);
    QCOMPARE(
        grande.rows.at(0), QVariantList({ "Paris", "01 2", "01 3", "https://grande.example/" }));
    QCOMPARE(grande.rows.at(1).value(1).toString(), QStringLiteral("031 1"));
}

void TestContactExchange::secondImportAsksAndYesAddsTheCompaniesAgain()
{
    writeFile(QStringLiteral("one.csv"), "Company,Business City\r\nAcme,Durban\r\n");
    FormImport* form = openImport();
    QVERIFY(form->importFile(QStringLiteral("one.csv")));
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(companyNames(), QStringList({ "Acme" }));

    form = openImport();
    QVERIFY(form->importFile(QStringLiteral("one.csv")));
    auto* label = test::findControl<QLabel>(form, "Label1");
    QCOMPARE(label->text(),
        QStringLiteral("You have already imported data from MS-Outlook. Performing this "
                       "operation again from the same MS-Outlook program will cause "
                       "duplicates to be created. Are you sure you want to continue?"));
    auto* yes = test::findControl<QPushButton>(form, "CommandYes");
    auto* no = test::findControl<QPushButton>(form, "CommandNo");
    QVERIFY(!yes->isHidden() && !no->isHidden());
    QCOMPARE(companyNames(), QStringList({ "Acme" }));
    yes->click();
    QCOMPARE(label->text(), QStringLiteral("All records successfully imported!"));
    QVERIFY(yes->isHidden() && no->isHidden());
    QCOMPARE(companyNames(), QStringList({ "Acme", "Acme" }));

    // "&No" closes without adding.
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form = openImport();
    QVERIFY(form->importFile(QStringLiteral("one.csv")));
    test::findControl<QPushButton>(form, "CommandNo")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!ui::Screens::existing(QStringLiteral("FormImport")));
    QCOMPARE(companyNames().size(), 2);
    QVERIFY(!test::businessDatabase().tableExists(QStringLiteral("Contacts")));
}

void TestContactExchange::yesWithoutTheTableReportsTheFailure()
{
    writeFile(QStringLiteral("one.csv"), "Company\r\nAcme\r\n");
    data::Database user;
    QVERIFY(data::openUserDatabase(user));
    QVERIFY(user.execute(QStringLiteral("UPDATE TABLE01 SET TEXT09 = '1'")));
    FormImport* form = openImport();
    QVERIFY(form->importFile(QStringLiteral("one.csv")));
    // The table went meanwhile (another dialog closed, say).
    test::businessDatabase().execute(QStringLiteral("DROP TABLE Contacts"));
    test::findControl<QPushButton>(form, "CommandYes")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QVERIFY(!test::findControl<QLabel>(form, "Label1")
                 ->text()
                 .contains(QStringLiteral("successfully")));
    QVERIFY(companyNames().isEmpty());
}

void TestContactExchange::unreadableFileIsReportedAndStoresNothing()
{
    writeFile(QStringLiteral("people.csv"), "Name,Phone\r\nAnn,1\r\n");
    writeFile(QStringLiteral("notes.txt.doc"), "hello");
    FormImport* form = openImport();
    QVERIFY(!form->importFile(QStringLiteral("people.csv")));
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("An error has occurred. The file 'people.csv' could not be read: it has "
                       "no column \"Company\"."));
    QVERIFY(!form->importFile(QStringLiteral("notes.txt.doc")));
    QVERIFY(m_messages->shown.last().text.contains(
        QStringLiteral("it is neither a CSV file nor a vCard file")));
    QVERIFY(!form->importFile(QStringLiteral("missing.vcf")));
    QVERIFY(m_messages->shown.last().text.contains(QStringLiteral("it does not exist")));
    QVERIFY(companyNames().isEmpty());
    QCOMPARE(FormImport::guard(), QString());
    // Cancelling the file dialog does nothing.
    test::findControl<QPushButton>(form, "CommandImport")->click();
    QCOMPARE(m_messages->shown.size(), 3);
}

void TestContactExchange::closingTheImportDialogDropsContacts()
{
    test::businessDatabase().execute(
        QStringLiteral("CREATE TABLE Contacts (Company TEXT, BusinessCity TEXT)"));
    FormImport* form = openImport();
    form->close();
    QVERIFY(!test::businessDatabase().tableExists(QStringLiteral("Contacts")));
    // Without the table, closing is no failure either.
    form = openImport();
    form->close();
    QVERIFY(m_messages->shown.isEmpty());
}

VANTREL_TEST_MAIN(TestContactExchange)
#include "TestContactExchange.moc"
