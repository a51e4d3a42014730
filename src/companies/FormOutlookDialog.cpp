#include "companies/FormOutlookDialog.h"

#include "office/MailProgram.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/LoadIndicator.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vantrel::companies {

FormOutlookDialog::FormOutlookDialog(QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , m_to(new QRadioButton(QStringLiteral("In the To... box"), this))
    , m_bcc(new QRadioButton(QStringLiteral("In the Bcc... box"), this))
    , m_loading(new ui::LoadIndicator(this))
{
    setObjectName(QStringLiteral("FormOutlookDialog"));
    setWindowTitle(QStringLiteral("Vantrel"));
    resize(ui::twipsToPixels(QSize(5500, 3375), this));
    auto* question
        = new QLabel(QStringLiteral("Where do you want to place the recipients of your e-mail?"));
    question->setObjectName(QStringLiteral("Label1"));
    question->setWordWrap(true);
    m_to->setObjectName(QStringLiteral("OptionTo"));
    m_bcc->setObjectName(QStringLiteral("OptionBcc"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(m_to);
    layout->addWidget(m_bcc);
    layout->addStretch();
    layout->addWidget(m_loading);
    // Clicked, not toggled: a failed attempt leaves the option set, and choosing it
    // again must try again.
    connect(m_to, &QRadioButton::clicked, this, [this] { place(Box::To); });
    connect(m_bcc, &QRadioButton::clicked, this, [this] { place(Box::Bcc); });
}

void FormOutlookDialog::place(Box box)
{
    QString error;
    bool shown = false;
    {
        platform::BusyCursor busy;
        ui::LoadIndicator::Showing showing(m_loading, ui::LoadIndicator::Program::Outlook);
        office::MailProgram& program = office::MailProgram::instance();
        office::MailItem mail = program.createMail();
        (box == Box::To ? mail.to : mail.bcc) = m_recipients;
        shown = program.display(mail, &error);
    }
    if (!shown) {
        platform::MessageBox::error(this, error);
        return;
    }
    ui::Screens::close(objectName());
}

} // namespace vantrel::companies
