#include "data/BoundedXmlReader.h"

namespace vantrel::data {

BoundedXmlReader::BoundedXmlReader(const QByteArray& data)
    : m_xml(data)
{
}

QXmlStreamReader::TokenType BoundedXmlReader::readNext()
{
    const QXmlStreamReader::TokenType token = m_xml.readNext();
    if (token == QXmlStreamReader::StartElement) {
        if (++m_depth > maxDepth) {
            m_xml.raiseError(QStringLiteral("The document is nested too deeply."));
            return QXmlStreamReader::Invalid;
        }
    }
    else if (token == QXmlStreamReader::EndElement) {
        --m_depth;
    }
    return token;
}

void BoundedXmlReader::skipElement()
{
    const int end = m_depth - 1;
    while (m_depth > end && !m_xml.atEnd())
        readNext();
}

QString BoundedXmlReader::readText()
{
    const int end = m_depth - 1;
    QString result;
    while (m_depth > end && !m_xml.atEnd()) {
        if (readNext() == QXmlStreamReader::Characters)
            result += m_xml.text();
    }
    return result;
}

} // namespace vantrel::data
