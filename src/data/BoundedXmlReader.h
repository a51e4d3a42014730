#pragma once

#include <QByteArray>
#include <QXmlStreamReader>

namespace vantrel::data {

// A QXmlStreamReader that refuses documents nested deeper than any workbook part
// needs, so that hostile files cannot make it pile up open elements without end.
class BoundedXmlReader {
public:
    explicit BoundedXmlReader(const QByteArray& data);

    QXmlStreamReader::TokenType readNext();
    // Reads on to the end of the element whose start was just read.
    void skipElement();
    // The text of the element whose start was just read, up to its end.
    QString readText();

    bool atEnd() const { return m_xml.atEnd(); }
    bool hasError() const { return m_xml.hasError(); }
    QStringView name() const { return m_xml.name(); }
    QStringView namespaceUri() const { return m_xml.namespaceUri(); }
    QXmlStreamAttributes attributes() const { return m_xml.attributes(); }
    QStringView text() const { return m_xml.text(); }
    int depth() const { return m_depth; }

    static constexpr int maxDepth = 64;

private:
    QXmlStreamReader m_xml;
    int m_depth = 0;
};

} // namespace vantrel::data
