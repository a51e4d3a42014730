#include "app/Composition.h"

#include "app/RecordViewCatalog.h"
#include "app/ScreenCatalog.h"
#include "office/MailProgram.h"
#include "office/SpreadsheetProgram.h"
#include "office/WordProcessor.h"
#include "shell/FormDetails.h"
#include "shell/FormHelp.h"
#include "ui/BuiltInMailProgram.h"
#include "ui/BuiltInSpreadsheetProgram.h"
#include "ui/BuiltInWordProcessor.h"
#include "ui/Resources.h"
#include "ui/Viewers.h"

#include <QApplication>

namespace vantrel::app {

void composeApplication()
{
    // One icon for every window, also those that set none: the word processor,
    // mail, agenda and manual windows.
    QApplication::setWindowIcon(ui::programIcon());
    registerScreens();
    registerRecordViews();
    ui::Viewers::setManualOpener(
        [](QWidget* from, int page) { shell::FormHelp::showPage(from, page); });
    ui::Viewers::setZoomer([](QWidget* companyScreen, const QString& field) {
        shell::FormDetails::zoom(companyScreen, field);
    });
    office::WordProcessor::setDefaultFactory(
        [] { return std::make_unique<ui::BuiltInWordProcessor>(); });
    office::MailProgram::setDefaultFactory(
        [] { return std::make_unique<ui::BuiltInMailProgram>(); });
    office::SpreadsheetProgram::setDefaultFactory(
        [] { return std::make_unique<ui::BuiltInSpreadsheetProgram>(); });
}

} // namespace vantrel::app
