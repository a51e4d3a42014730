#include "ui/PrinterProvider.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace vantrel::ui {

namespace {

class DefaultPrinterProvider : public PrinterProvider {
public:
    std::unique_ptr<QPrinter> printer(QString* error) override
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            *error = QStringLiteral("No default printer is set up on this computer.");
            return nullptr;
        }
        return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
};

std::unique_ptr<PrinterProvider>& installedProvider()
{
    static std::unique_ptr<PrinterProvider> provider;
    return provider;
}

} // namespace

PrinterProvider& PrinterProvider::instance()
{
    std::unique_ptr<PrinterProvider>& provider = installedProvider();
    if (!provider)
        provider = std::make_unique<DefaultPrinterProvider>();
    return *provider;
}

void PrinterProvider::setInstance(std::unique_ptr<PrinterProvider> provider)
{
    installedProvider() = std::move(provider);
}

} // namespace vantrel::ui
