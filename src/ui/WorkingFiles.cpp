#include "ui/WorkingFiles.h"

#include "office/DefaultLetterhead.h"
#include "office/WordProcessor.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

namespace vantrel::ui {

QString workingDocumentPath()
{
    return QStringLiteral("Temp/Vantrel Document.doc");
}

QString workingMailTextPath()
{
    return QStringLiteral("Temp/Vantrel Document.txt");
}

QString letterheadPath()
{
    return QString::fromUtf16(office::letterheadFileName);
}

bool readAsRichText(const QString& path, QString* rtf, QString* error)
{
    if (!QFileInfo::exists(path)) {
        *error = QStringLiteral("The file \"%1\" does not exist.").arg(path);
        return false;
    }
    office::WordProcessor& word = office::WordProcessor::instance();
    const office::WordProcessor::Instance reader = word.start();
    if (!word.addDocument(reader, path, error) || !word.copyWholeDocument(reader, error)) {
        QString ignored;
        word.quit(reader, &ignored);
        return false;
    }
    if (!word.quit(reader, error))
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData();
    const QString format = QStringLiteral("text/rtf");
    if (!data || !data->hasFormat(format)) {
        *error = QStringLiteral("The clipboard holds no rich text.");
        return false;
    }
    *rtf = QString::fromUtf8(data->data(format));
    clipboard->clear();
    return true;
}

} // namespace vantrel::ui
