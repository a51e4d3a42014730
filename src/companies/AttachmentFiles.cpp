#include "companies/AttachmentFiles.h"

#include "data/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantrel::companies::AttachmentFiles {

QString folder()
{
    return QStringLiteral("Attachments");
}

bool isAttachmentName(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(QLatin1Char('/'))
        || name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
        return false;
    return data::isInsideProgramFolder(folder() + QLatin1Char('/') + name);
}

QString pathOf(const QString& name)
{
    return isAttachmentName(name) ? folder() + QLatin1Char('/') + name : QString();
}

QString copyIn(const QString& sourcePath, QString* error)
{
    const QFileInfo source(sourcePath);
    if (!source.isFile()) {
        *error = QStringLiteral("The file ") + QDir::toNativeSeparators(sourcePath)
            + QStringLiteral(" cannot be found.");
        return {};
    }
    if (!QDir().mkpath(folder())) {
        *error = QStringLiteral("The folder Attachments cannot be made.");
        return {};
    }
    const QString base = source.completeBaseName();
    const QString suffix
        = source.suffix().isEmpty() ? QString() : QLatin1Char('.') + source.suffix();
    QString name = source.fileName();
    for (int number = 2; QFileInfo::exists(folder() + QLatin1Char('/') + name); ++number)
        name = base + QStringLiteral(" (") + QString::number(number) + QLatin1Char(')') + suffix;
    if (!isAttachmentName(name)) {
        *error = QStringLiteral("The file name ") + name + QStringLiteral(" cannot be used.");
        return {};
    }
    // QFile::copy never replaces an existing file, so a name taken meanwhile fails here.
    QFile file(sourcePath);
    if (!file.copy(folder() + QLatin1Char('/') + name)) {
        *error = file.errorString();
        return {};
    }
    return name;
}

} // namespace vantrel::companies::AttachmentFiles
