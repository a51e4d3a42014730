#include "office/MailAddress.h"

namespace vantrel::office {

namespace {

QStringList splitEntries(const QString& text)
{
    QStringList entries;
    QString current;
    bool quoted = false;
    bool bracketed = false;
    for (const QChar c : text) {
        if (c == u'"' && !bracketed)
            quoted = !quoted;
        else if (c == u'<' && !quoted)
            bracketed = true;
        else if (c == u'>' && !quoted)
            bracketed = false;
        if ((c == u';' || c == u',') && !quoted && !bracketed) {
            entries.append(current);
            current.clear();
        }
        else
            current.append(c);
    }
    entries.append(current);
    return entries;
}

QString unquoted(QString name)
{
    name = name.trimmed();
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        name = name.mid(1, name.size() - 2);
    return name.trimmed();
}

} // namespace

bool MailAddress::isValid(const QString& address)
{
    const qsizetype at = address.lastIndexOf(u'@');
    if (at <= 0 || at == address.size() - 1)
        return false;
    for (const QChar c : address) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c == u'<' || c == u'>'
            || c == u'"' || c == u',' || c == u';' || c == u'(' || c == u')' || c == u'\\')
            return false;
    }
    const QString domain = address.mid(at + 1);
    return !domain.contains(u'@') && !domain.startsWith(u'.') && !domain.endsWith(u'.')
        && !domain.contains(QStringLiteral(".."));
}

bool MailAddress::parseList(const QString& text, QList<MailAddress>* addresses, QString* error)
{
    QList<MailAddress> parsed;
    for (const QString& rawEntry : splitEntries(text)) {
        const QString entry = rawEntry.trimmed();
        if (entry.isEmpty())
            continue;
        MailAddress address;
        const qsizetype open = entry.lastIndexOf(u'<');
        if (open >= 0 && entry.endsWith(u'>')) {
            address.name = unquoted(entry.left(open));
            address.address = entry.mid(open + 1, entry.size() - open - 2).trimmed();
        }
        else
            address.address = entry;
        if (!isValid(address.address) || address.name.contains(u'\r')
            || address.name.contains(u'\n')) {
            if (error)
                *error = QStringLiteral("'%1' is not a valid e-mail address.").arg(entry);
            return false;
        }
        parsed.append(address);
    }
    *addresses = parsed;
    return true;
}

} // namespace vantrel::office
