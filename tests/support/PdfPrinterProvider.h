#pragma once

#include "ui/PrinterProvider.h"

#include <QString>

namespace vantrel::test {

// The default printer of a test: prints into a PDF file instead of on paper.
class PdfPrinterProvider : public ui::PrinterProvider {
public:
    explicit PdfPrinterProvider(QString path);
    std::unique_ptr<QPrinter> printer(QString* error) override;

private:
    QString m_path;
};

// A computer without a default printer.
class NoPrinterProvider : public ui::PrinterProvider {
public:
    std::unique_ptr<QPrinter> printer(QString* error) override;
};

} // namespace vantrel::test
