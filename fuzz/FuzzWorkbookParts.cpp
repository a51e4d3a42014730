// The XML parts of .xlsx and .ods workbooks. The first byte chooses the part the
// rest becomes (sheet, shared strings, styles, workbook, ODS content); the others
// are small valid parts, so the fuzzer works on the XML and not on the zip around it.
#include "FuzzInput.h"

#include "data/WorkbookReader.h"

#include <zip.h>

namespace {

const QByteArray ns = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

void writeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& entries)
{
    int code = 0;
    zip_t* archive
        = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        std::abort();
    for (const auto& [name, data] : entries) {
        zip_source_t* source
            = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        zip_file_add(archive, name.constData(), source, ZIP_FL_OVERWRITE);
    }
    zip_close(archive);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int part = data[0] % 5;
    const QByteArray xml(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString path = vantrel::fuzz::inputFile(
        part == 4 ? QStringLiteral("input.ods") : QStringLiteral("input.xlsx"), nullptr, 0);
    if (part == 4) {
        writeZip(path,
            { { "mimetype", "application/vnd.oasis.opendocument.spreadsheet" },
                { "content.xml", xml } });
    }
    else {
        QList<std::pair<QByteArray, QByteArray>> parts {
            { "_rels/.rels",
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
                    + ns
                    + "/sharedStrings\" Target=\"strings.xml\"/><Relationship Id=\"rId3\" "
                      "Type=\""
                    + ns + "/styles\" Target=\"styles.xml\"/></Relationships>" },
            { "xl/sheet.xml",
                "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                "<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\" s=\"1\"><v>0</v></c></row>"
                "</sheetData></worksheet>" },
            { "xl/strings.xml", "<sst><si><t>x</t></si></sst>" },
            { "xl/styles.xml", "<styleSheet/>" },
        };
        const int replaced[] = { 3, 4, 5, 1 };
        parts[replaced[part]].second = xml;
        writeZip(path, parts);
    }
    QList<vantrel::data::Worksheet> sheets;
    QString error;
    vantrel::data::readWorksheets(path, &sheets, &error);
    return 0;
}
