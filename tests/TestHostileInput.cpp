// Input made to break the program: files that break the readers, typed numbers
// beyond what a field holds, links that lead out of the program folder, mailto:
// addresses that ask the mail client for more than a message. Each is refused or
// defused with a sentence for the user, quickly, and the program carries on. The
// .xls files broke FreeXL (unbounded allocation, reads out of bounds, leaks); they
// are read only by the helper process.

#include "RecordingOpener.h"
#include "TestFolder.h"

#include "data/FieldValues.h"
#include "data/ProgramFolder.h"
#include "data/WorkbookReader.h"
#include "data/XlsReader.h"
#include "office/WorkbookLoader.h"
#include "platform/Desktop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

#include <zip.h>

using namespace vantrel::data;

namespace {

const QString hostile = QStringLiteral(VANTREL_TEST_DATA_DIR "/hostile/");

void writeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& entries)
{
    int code = 0;
    zip_t* archive
        = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    QVERIFY(archive);
    for (const auto& [name, data] : entries) {
        zip_source_t* source
            = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_OVERWRITE);
        QVERIFY(index >= 0);
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 9);
    }
    QCOMPARE(zip_close(archive), 0);
}

QString readError(const QString& path, const QString& sheetName = {})
{
    Worksheet sheet;
    QString error;
    if (readWorksheet(path, sheetName, &sheet, &error))
        return QStringLiteral("(read without error)");
    return error;
}

} // namespace

class TestHostileInput : public QObject {
    Q_OBJECT
private slots:
    void legacyWorkbooksThatBreakTheLibrary_data();
    void legacyWorkbooksThatBreakTheLibrary();
    void legacyWorkbookStillReads();
    void missingHelperIsNamed();
    void amplifiedWorkbooksAreRefused();
    void sheetNamesDifferingInCase();
    void typedNumbersBeyondAField();
    void linksOutOfTheProgramFolder();
    void mailtoCarriesOnlyAMessage();

private:
    vantrel::test::TestFolder m_folder;
};

void TestHostileInput::legacyWorkbooksThatBreakTheLibrary_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("stack over-read") << QStringLiteral("freexl-stack-overread-512B.xls");
    QTest::newRow("heap over-read") << QStringLiteral("freexl-heap-overread-6144B.xls");
    QTest::newRow("memory exhaustion") << QStringLiteral("freexl-memory-exhaustion-1811B.xls");
    QTest::newRow("leak") << QStringLiteral("freexl-leak-3648B-6144B.xls");
}

void TestHostileInput::legacyWorkbooksThatBreakTheLibrary()
{
    QFETCH(QString, name);
    // The content decides, so the same file under an .xlsx name takes the same road.
    const QString renamed = m_folder.filePath(QStringLiteral("Renamed.xlsx"));
    QFile::remove(renamed);
    QVERIFY(QFile::copy(hostile + name, renamed));
    for (const QString& path : { hostile + name, renamed }) {
        QElapsedTimer timer;
        timer.start();
        QStringList names;
        QString error;
        Worksheet sheet;
        const bool opened = readSheetNames(path, &names, &error);
        if (opened)
            QVERIFY(!readWorksheet(path, {}, &sheet, &error));
        QCOMPARE(error,
            QStringLiteral("The file '%1' could not be read: the workbook is damaged or too large.")
                .arg(path));
        // The helper's clock limit is 30 s; a busy machine may need all of it.
        QVERIFY2(timer.elapsed() < 35'000, qPrintable(QString::number(timer.elapsed())));
    }
}

void TestHostileInput::legacyWorkbookStillReads()
{
    const QString path = QStringLiteral(VANTREL_TEST_DATA_DIR "/workbooks/Competition.xls");
    vantrel::office::Workbook workbook;
    QString error;
    QVERIFY2(vantrel::office::loadWorkbook(path, &workbook, &error), qPrintable(error));
    QCOMPARE(workbook.sheetCount(), 2);
    QCOMPARE(workbook.sheet(0).name(), QStringLiteral("COMPETITION"));
    QCOMPARE(workbook.sheet(0).value(1, 1), QVariant(QStringLiteral("Acme Ltd")));
}

void TestHostileInput::missingHelperIsNamed()
{
    const QString helper = XlsReader::helperPath();
    QVERIFY(QFileInfo(helper).isExecutable());
    XlsReader::setHelperPath(m_folder.filePath(QStringLiteral("nowhere/vantrel-xlsread")));
    const QString error
        = readError(QStringLiteral(VANTREL_TEST_DATA_DIR "/workbooks/Competition.xls"));
    XlsReader::setHelperPath({});
    QVERIFY2(error.contains(QLatin1String("Excel 97-2003 workbooks"))
            && error.contains(QLatin1String("is missing; please reinstall the program")),
        qPrintable(error));
}

void TestHostileInput::amplifiedWorkbooksAreRefused()
{
    QElapsedTimer timer;
    timer.start();

    // Millions of empty shared texts pack into a few hundred kilobytes.
    const QByteArray ns = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QString texts = m_folder.filePath(QStringLiteral("Texts.xlsx"));
    writeZip(texts,
        { { "_rels/.rels",
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
              "relationships\"><Relationship Id=\"rId1\" Type=\""
                  + ns + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>" },
            { "xl/workbook.xml",
                "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                "xmlns:x=\""
                    + ns
                    + "\"><sheets><sheet name=\"S\" sheetId=\"1\" x:id=\"rId1\"/></sheets>"
                      "</workbook>" },
            { "xl/_rels/workbook.xml.rels",
                "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                "relationships\"><Relationship Id=\"rId1\" Type=\""
                    + ns + "/worksheet\" Target=\"sheet.xml\"/><Relationship Id=\"rId2\" Type=\""
                    + ns + "/sharedStrings\" Target=\"strings.xml\"/></Relationships>" },
            { "xl/sheet.xml",
                "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                "<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row></sheetData>"
                "</worksheet>" },
            { "xl/strings.xml", "<sst>" + QByteArray("<si/>").repeated(4'000'001) + "</sst>" } });
    QCOMPARE(readError(texts),
        QStringLiteral("The file '%1' could not be read: it has more than 4000000 texts, more "
                       "than can be read.")
            .arg(texts));

    // One short row repeated to the end of the sheet.
    const QString rows = m_folder.filePath(QStringLiteral("Rows.ods"));
    writeZip(rows,
        { { "mimetype", "application/vnd.oasis.opendocument.spreadsheet" },
            { "content.xml",
                "<office:document-content "
                "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\"><office:body>"
                "<office:spreadsheet><table:table table:name=\"S\">"
                "<table:table-row table:number-rows-repeated=\"1048576\"><table:table-cell "
                "office:value-type=\"float\" office:value=\"1\" "
                "table:number-columns-repeated=\"8\"/></table:table-row></table:table>"
                "</office:spreadsheet></office:body></office:document-content>" } });
    QVERIFY(QFileInfo(rows).size() < 1000);
    QCOMPARE(readError(rows),
        QStringLiteral("The file '%1' could not be read: the worksheet has more than 4000000 "
                       "cells, more than can be read.")
            .arg(rows));

    QVERIFY2(timer.elapsed() < 60'000, qPrintable(QString::number(timer.elapsed())));
}

void TestHostileInput::sheetNamesDifferingInCase()
{
    const QString path = hostile + QStringLiteral("workbookloader-duplicate-sheet-names.xlsx");
    Worksheet sheet;
    QString error;
    QVERIFY2(readWorksheet(path, QStringLiteral("DATA"), &sheet, &error), qPrintable(error));
    QCOMPARE(sheet.name, QStringLiteral("DATA"));
    QCOMPARE(sheet.rows.size(), 3);
    QVERIFY2(readWorksheet(path, QStringLiteral("Data"), &sheet, &error), qPrintable(error));
    QCOMPARE(sheet.rows.size(), 1);
    // Asked in another case, the first of the like-named sheets.
    QVERIFY2(readWorksheet(path, QStringLiteral("data"), &sheet, &error), qPrintable(error));
    QCOMPARE(sheet.name, QStringLiteral("Data"));

    vantrel::office::Workbook workbook;
    QVERIFY2(vantrel::office::loadWorkbook(path, &workbook, &error), qPrintable(error));
    QCOMPARE(workbook.sheetCount(), 3);
    const QList<int> expectedRows { 1, 3, 5 };
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(workbook.sheet(i).name(),
            QStringList({ QStringLiteral("Data"), QStringLiteral("DATA"), QString() }).at(i));
        QCOMPARE(workbook.sheet(i).rowCount(), expectedRows.at(i));
    }
}

void TestHostileInput::typedNumbersBeyondAField()
{
    for (const char* typed : { "1e300", "-1e300", "9.3e18", "-9.3e18", "nan", "NaN", "inf", "-inf",
             "Infinity", "1e999" }) {
        QVariant result;
        QString error;
        QVERIFY2(
            !normalizeFieldValue(QString::fromLatin1(typed), FieldKind::Number, &result, &error),
            typed);
        QCOMPARE(error, QStringLiteral("'%1' is not a number.").arg(QLatin1String(typed)));
    }
    // The largest whole numbers a field holds, and fractions, still pass.
    for (const auto& [typed, expected] : { std::pair { "9.2e18", QVariant(qlonglong(9.2e18)) },
             std::pair { "-9.2e18", QVariant(qlonglong(-9.2e18)) },
             std::pair { " 12 ", QVariant(qlonglong(12)) }, std::pair { "0.5", QVariant(0.5) } }) {
        QVariant result;
        QString error;
        QVERIFY2(
            normalizeFieldValue(QString::fromLatin1(typed), FieldKind::Number, &result, &error),
            qPrintable(error));
        QCOMPARE(result, expected);
    }
}

void TestHostileInput::linksOutOfTheProgramFolder()
{
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    const QString secret = outside.filePath(QStringLiteral("secret.txt"));
    QFile file(secret);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();

    QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("Temp")));
    const QString working = m_folder.filePath(QStringLiteral("Temp/Vantrel Document.txt"));
    QVERIFY(QFile::link(secret, working));
    QVERIFY(QFile::link(outside.path(), m_folder.filePath(QStringLiteral("Documents"))));
    QVERIFY(QFile::link(outside.filePath(QStringLiteral("not yet")),
        m_folder.filePath(QStringLiteral("Temp/Dangling.txt"))));

    QVERIFY(!isInsideProgramFolder(QStringLiteral("Temp/Vantrel Document.txt")));
    QVERIFY(!isInsideProgramFolder(QStringLiteral("Documents/secret.txt")));
    QVERIFY(!isInsideProgramFolder(QStringLiteral("Documents/new.rtf")));
    QVERIFY(!isInsideProgramFolder(QStringLiteral("Temp/Dangling.txt")));
    QVERIFY(isInsideProgramFolder(QStringLiteral("Temp/Report.xlsx")));

    auto opener = std::make_unique<vantrel::platform::RecordingOpener>();
    vantrel::platform::RecordingOpener* recorder = opener.get();
    vantrel::platform::Desktop::setOpener(std::move(opener));
    QString error;
    QVERIFY(
        !vantrel::platform::Desktop::openFile(QStringLiteral("Temp/Vantrel Document.txt"), &error));
    QVERIFY(!vantrel::platform::Desktop::openFile(QStringLiteral("Documents/secret.txt"), &error));
    QVERIFY(!vantrel::platform::Desktop::openUrl(QUrl::fromLocalFile(working), &error));
    QCOMPARE(recorder->opened.size(), 0);
    vantrel::platform::Desktop::setOpener(nullptr);

    // A working file's save replaces the link with a file of its own.
    QVERIFY2(prepareWorkingFile(working, &error), qPrintable(error));
    QVERIFY(!QFileInfo(working).isSymLink());
    QVERIFY(prepareWorkingFile(QStringLiteral("Temp/Dangling.txt"), &error));
    QVERIFY(!QFileInfo(m_folder.filePath(QStringLiteral("Temp/Dangling.txt"))).isSymLink());
    QVERIFY(!prepareWorkingFile(QStringLiteral("Documents/secret.txt"), &error));
    QCOMPARE(error,
        QStringLiteral("The file '%1' is not inside the program folder.")
            .arg(QDir::toNativeSeparators(
                m_folder.filePath(QStringLiteral("Documents/secret.txt")))));
    // A file the user chose elsewhere is the user's business.
    QVERIFY(prepareWorkingFile(outside.filePath(QStringLiteral("mine.rtf")), &error));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("keep me"));
    QVERIFY(QFileInfo::exists(secret));
}

void TestHostileInput::mailtoCarriesOnlyAMessage()
{
    auto opener = std::make_unique<vantrel::platform::RecordingOpener>();
    vantrel::platform::RecordingOpener* recorder = opener.get();
    vantrel::platform::Desktop::setOpener(std::move(opener));
    QString error;
    QVERIFY(vantrel::platform::Desktop::openUrl(
        QUrl(QStringLiteral("mailto:anna@example.org?subject=Hi%20there&attach=/etc/passwd"
                            "&CC=bob@example.org&%61ttachment=~/.ssh/id_rsa&body=a%26b"
                            "&X-Header=1&Bcc=c@example.org&To=d@example.org")),
        &error));
    QCOMPARE(recorder->opened.size(), 1);
    const QUrl sent = recorder->opened.first();
    QCOMPARE(sent.path(), QStringLiteral("anna@example.org"));
    QCOMPARE(sent.query(QUrl::FullyEncoded),
        QStringLiteral("subject=Hi%20there&CC=bob@example.org&body=a%26b&Bcc=c@example.org"
                       "&To=d@example.org"));
    QCOMPARE(QUrlQuery(sent).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
        QStringLiteral("a&b"));

    QVERIFY(vantrel::platform::Desktop::openUrl(
        QUrl(QStringLiteral("mailto:anna@example.org?attach=/etc/passwd")), &error));
    QCOMPARE(recorder->opened.last().toEncoded(), QByteArray("mailto:anna@example.org"));
    vantrel::platform::Desktop::setOpener(nullptr);
}

QTEST_GUILESS_MAIN(TestHostileInput)
#include "TestHostileInput.moc"
