#include "companies/FormCompanies.h"

#include "data/BoundView.h"
#include "data/Clock.h"
#include "data/FieldValues.h"
#include "platform/MessageBox.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/Screens.h"

#include <QLineEdit>
#include <QPushButton>

namespace vantrel::companies {

FormCompanies::FormCompanies(QWidget* parent)
    : CompanyRecordScreen(QStringLiteral("FormCompanies"), QStringLiteral("Company"), parent)
{
    setWindowTitle(QStringLiteral("Companies"));
    addHiddenField(QStringLiteral("TEXT21"), QStringLiteral("Text21"));
    setAlwaysShown(findChild<QLineEdit*>(QStringLiteral("TEXT01")), true);

    auto* newButton = makeButton("CommandNew", QStringLiteral("New Company"));
    auto* archive = makeButton("CommandArchive", QStringLiteral("Archive Company"));
    auto* reminder = makeButton("CommandCalendar", QStringLiteral("Reminder"));
    auto* manual = new ui::ManualLink(this);
    addCommand(newButton, Place::First);
    addCommand(archive, Place::BeforePrint);
    addCommand(manual->button(), Place::Last);
    addLinkCommand(reminder);
    connect(newButton, &QPushButton::clicked, this, &FormCompanies::newCompany);
    connect(saveButton(), &QPushButton::clicked, this, &FormCompanies::saveChanges);
    connect(archive, &QPushButton::clicked, this, &FormCompanies::archiveCompany);
    connect(reminder, &QPushButton::clicked, this,
        [] { ui::Screens::bringToFront(QStringLiteral("FormReminder")); });
    connect(findChild<QLineEdit*>(QStringLiteral("NUMBER01")), &QLineEdit::textEdited, this,
        &FormCompanies::frequencyEdited);

    hints()->setHint(archive,
        QStringLiteral(
            "If this company is no longer active, e.g. you no longer have a business relationship "
            "with"
            " this company, you can permanently or temporarily send it to the archive. "));
    updateFieldVisibility();
}

void FormCompanies::newCompany()
{
    enterEditMode();
    if (!view()->addNew()) {
        platform::MessageBox::error(this, view()->lastError());
        return;
    }
    view()->setValue(QStringLiteral("DATE03"), data::Clock::today());
    view()->setValue(QStringLiteral("TEXT20"), recordState());
    focusFirstField();
}

void FormCompanies::saveChanges()
{
    leaveEditMode();
    storeRow();
}

void FormCompanies::archiveCompany()
{
    if (!view()->hasCurrentRow())
        return;
    const QString question = QStringLiteral("Are you sure you want to send ") + companyName()
        + QStringLiteral(" to the archives?");
    if (!platform::MessageBox::question(this, question))
        return;
    if (isEditMode())
        leaveEditMode();
    if (!view()->setValue(QStringLiteral("TEXT20"), QStringLiteral("Archive"))
        || !view()->refresh()) {
        platform::MessageBox::error(this, view()->lastError());
        return;
    }
    reloadOtherScreen(QStringLiteral("FormArchive"));
}

void FormCompanies::frequencyEdited(const QString& text)
{
    QVariant number;
    QString error;
    if (text.trimmed().isEmpty()
        || data::normalizeFieldValue(text, data::FieldKind::Number, &number, &error))
        return;
    findChild<QLineEdit*>(QStringLiteral("NUMBER01"))->clear();
    view()->setValue(QStringLiteral("NUMBER01"), QVariant());
}

} // namespace vantrel::companies
