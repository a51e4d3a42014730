#include "ui/DocumentFileChooser.h"

#include <QFileDialog>

namespace vantrel::ui {

namespace {

std::unique_ptr<DocumentFileChooser::Handler>& installedHandler()
{
    static std::unique_ptr<DocumentFileChooser::Handler> handler;
    return handler;
}

} // namespace

QString DocumentFileChooser::saveFileName(
    QWidget* parent, const QString& suggestedPath, const QStringList& filters)
{
    if (Handler* handler = installedHandler().get())
        return handler->saveFileName(parent, suggestedPath, filters);
    return QFileDialog::getSaveFileName(
        parent, QStringLiteral("Save As"), suggestedPath, filters.join(QStringLiteral(";;")));
}

QString DocumentFileChooser::openFileName(
    QWidget* parent, const QString& caption, const QString& folder, const QStringList& filters)
{
    if (Handler* handler = installedHandler().get())
        return handler->openFileName(parent, caption, folder, filters);
    return QFileDialog::getOpenFileName(
        parent, caption, folder, filters.join(QStringLiteral(";;")));
}

void DocumentFileChooser::setHandler(std::unique_ptr<Handler> handler)
{
    installedHandler() = std::move(handler);
}

QString RecordingDocumentFileChooser::saveFileName(
    QWidget*, const QString& suggestedPath, const QStringList&)
{
    suggestedPaths.append(suggestedPath);
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

QString RecordingDocumentFileChooser::openFileName(
    QWidget*, const QString& caption, const QString& folder, const QStringList&)
{
    openCaptions.append(caption);
    openFolders.append(folder);
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

} // namespace vantrel::ui
