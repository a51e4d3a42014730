#include "ManualSource.h"

#include "ui/ManualPages.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace vantrel::shell {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool readSection(const QString& path, ManualSection* section, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("%1: %2").arg(path, file.errorString()));
    section->fileName = QFileInfo(path).fileName();
    section->html = QString::fromUtf8(file.readAll());

    static const QRegularExpression heading(QStringLiteral("<h1[^>]*>(.*?)</h1>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch title = heading.match(section->html);
    if (!title.hasMatch())
        return fail(
            error, QStringLiteral("%1: the section has no <h1> title.").arg(section->fileName));
    section->title = QTextDocumentFragment::fromHtml(title.captured(1)).toPlainText().simplified();
    if (section->title.isEmpty())
        return fail(error, QStringLiteral("%1: the <h1> title is empty.").arg(section->fileName));

    static const QRegularExpression screens(
        QStringLiteral("<meta\\s+name=\"screens\"\\s+content=\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch named = screens.match(section->html);
    if (!named.hasMatch())
        return true;
    section->screens = named.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& screen : std::as_const(section->screens)) {
        const int page = ui::manualPageOf(screen);
        if (page == 0)
            return fail(error,
                QStringLiteral("%1: the screen %2 has no page in the manual.")
                    .arg(section->fileName, screen));
        if (section->page != 0 && section->page != page)
            return fail(error,
                QStringLiteral("%1: the screens %2 have different pages in the manual.")
                    .arg(section->fileName, section->screens.join(QStringLiteral(", "))));
        section->page = page;
    }
    return true;
}

} // namespace

bool readManualSources(const QString& folder, QList<ManualSection>* sections, QString* error)
{
    const QDir dir(folder);
    if (!dir.exists())
        return fail(error, QStringLiteral("The folder %1 does not exist.").arg(folder));
    const QStringList names = dir.entryList({ QStringLiteral("*.html") }, QDir::Files, QDir::Name);
    if (names.isEmpty())
        return fail(error, QStringLiteral("The folder %1 holds no .html files.").arg(folder));
    sections->clear();
    for (const QString& name : names) {
        ManualSection section;
        if (!readSection(dir.filePath(name), &section, error))
            return false;
        sections->append(section);
    }
    return true;
}

} // namespace vantrel::shell
