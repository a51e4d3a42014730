#include "companies/OpenFileChooser.h"

#include <QFileDialog>

namespace vantrel::companies {

namespace {

std::unique_ptr<OpenFileChooser::Handler>& installedHandler()
{
    static std::unique_ptr<OpenFileChooser::Handler> handler;
    return handler;
}

} // namespace

QString OpenFileChooser::openFileName(
    QWidget* parent, const QString& caption, const QString& folder, const QStringList& filters)
{
    if (installedHandler())
        return installedHandler()->openFileName(parent, caption, folder, filters);
    return QFileDialog::getOpenFileName(
        parent, caption, folder, filters.join(QStringLiteral(";;")));
}

void OpenFileChooser::setHandler(std::unique_ptr<Handler> handler)
{
    installedHandler() = std::move(handler);
}

QString RecordingOpenFileChooser::openFileName(
    QWidget*, const QString& caption, const QString&, const QStringList&)
{
    captions << caption;
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

} // namespace vantrel::companies
