#pragma once

#include <QString>

#include <memory>

class QPrinter;

namespace vantrel::ui {

// Where printed output goes: the system's default printer unless a test installs
// a provider of its own (a PDF file, say).
class PrinterProvider {
public:
    virtual ~PrinterProvider() = default;

    static PrinterProvider& instance();
    // Replaces the provider; nullptr brings back the default printer.
    static void setInstance(std::unique_ptr<PrinterProvider> provider);

    // A printer ready to print on; nullptr with the reason when there is none.
    virtual std::unique_ptr<QPrinter> printer(QString* error) = 0;
};

} // namespace vantrel::ui
