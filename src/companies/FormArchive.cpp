#include "companies/FormArchive.h"

#include "data/BoundView.h"
#include "platform/MessageBox.h"
#include "ui/HintLine.h"

#include <QPushButton>

namespace vantrel::companies {

FormArchive::FormArchive(QWidget* parent)
    : CompanyRecordScreen(QStringLiteral("FormArchive"), QStringLiteral("Archive"), parent)
{
    setWindowTitle(QStringLiteral("Archive"));
    auto* restore = makeButton("CommandUnarchive", QStringLiteral("Restore Company"));
    addCommand(restore, Place::BeforePrint);
    connect(saveButton(), &QPushButton::clicked, this, &FormArchive::saveChanges);
    connect(restore, &QPushButton::clicked, this, &FormArchive::restoreCompany);
    hints()->setHint(
        restore, QStringLiteral("Remove this company from the archive, back to active companies."));
    updateFieldVisibility();
}

void FormArchive::saveChanges()
{
    leaveEditMode();
    if (!view()->refresh())
        platform::MessageBox::error(this, view()->lastError());
}

void FormArchive::restoreCompany()
{
    if (!view()->hasCurrentRow())
        return;
    if (isEditMode())
        leaveEditMode();
    // A restore that could not be stored must not look done.
    if (!view()->setValue(QStringLiteral("TEXT20"), QStringLiteral("Company"))
        || !view()->refresh()) {
        platform::MessageBox::error(this, view()->lastError());
        return;
    }
    reloadOtherScreen(QStringLiteral("FormCompanies"));
}

} // namespace vantrel::companies
