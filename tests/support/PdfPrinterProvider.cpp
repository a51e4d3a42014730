#include "PdfPrinterProvider.h"

#include <QPrinter>

namespace vantrel::test {

PdfPrinterProvider::PdfPrinterProvider(QString path)
    : m_path(std::move(path))
{
}

std::unique_ptr<QPrinter> PdfPrinterProvider::printer(QString*)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(m_path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

std::unique_ptr<QPrinter> NoPrinterProvider::printer(QString* error)
{
    *error = QStringLiteral("No default printer is set up on this computer.");
    return nullptr;
}

} // namespace vantrel::test
