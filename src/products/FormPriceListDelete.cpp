#include "products/FormPriceListDelete.h"

#include "data/BoundView.h"
#include "platform/MessageBox.h"
#include "products/FormPriceList.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::products {

namespace {

const QString screenName = QStringLiteral("FormPriceListDelete");

FormPriceList* priceList()
{
    return ui::Screens::instance<FormPriceList>(QStringLiteral("FormPriceList"));
}

void closeDialog()
{
    // Deferred: the dialog goes while one of its buttons is still being handled.
    QMetaObject::invokeMethod(
        qApp, [] { ui::Screens::close(screenName); }, Qt::QueuedConnection);
}

} // namespace

FormPriceListDelete::FormPriceListDelete(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(screenName);
    setWindowTitle(QStringLiteral("Delete"));
    resize(ui::twipsToPixels(QSize(3200, 2000), this));
    auto* question = new QLabel(QStringLiteral("What do you want to delete?"), this);
    question->setObjectName(QStringLiteral("Label1"));
    auto* thisRecord = new QPushButton(QStringLiteral("&This Record"), this);
    thisRecord->setObjectName(QStringLiteral("CommandThis"));
    auto* allRecords = new QPushButton(QStringLiteral("&All Records"), this);
    allRecords->setObjectName(QStringLiteral("CommandAll"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(thisRecord);
    buttons->addWidget(allRecords);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addLayout(buttons);
    connect(thisRecord, &QPushButton::clicked, this, &FormPriceListDelete::deleteThis);
    connect(allRecords, &QPushButton::clicked, this, &FormPriceListDelete::deleteAll);
}

void FormPriceListDelete::deleteThis()
{
    FormPriceList* list = priceList();
    // With an empty list there is nothing to name in the question.
    if (!list || !list->records()->hasCurrentRow()) {
        closeDialog();
        return;
    }
    const QString product = list->records()->value(QStringLiteral("TEXT01")).toString();
    if (platform::MessageBox::question(this,
            QStringLiteral("Are you sure toy want to delete ") + product + QStringLiteral("?"),
            platform::MessageBox::Yes)) {
        QString error;
        if (!list->deleteCurrentRecord(&error))
            platform::MessageBox::error(this, error);
    }
    closeDialog();
}

void FormPriceListDelete::deleteAll()
{
    if (platform::MessageBox::question(this,
            QStringLiteral("Are you sure toy want to delete all records on the price list?"),
            platform::MessageBox::Yes)) {
        QString error;
        if (FormPriceList* list = priceList(); list && !list->deleteShownRecords(&error))
            platform::MessageBox::error(this, error);
    }
    closeDialog();
}

} // namespace vantrel::products
