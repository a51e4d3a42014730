#include "ui/AgendaItemWindow.h"

#include "platform/MessageBox.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::ui {

AgendaItemWindow::AgendaItemWindow(const QString& subject, const QString& kind, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_kind(kind)
    , m_subject(new QLineEdit(subject, this))
    , m_form(new QFormLayout)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_subject->setObjectName(QStringLiteral("Subject"));
    auto* save = new QPushButton(QStringLiteral("&Save && Close"), this);
    save->setObjectName(QStringLiteral("Save"));
    save->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    m_form->addRow(QStringLiteral("S&ubject:"), m_subject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(m_form);
    layout->addStretch();

    connect(save, &QPushButton::clicked, this, &AgendaItemWindow::saveAndClose);
    connect(m_subject, &QLineEdit::textChanged, this, &AgendaItemWindow::updateTitle);
    updateTitle();
}

QString AgendaItemWindow::entryFormat(bool withTime)
{
    const QLocale locale;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    if (withTime)
        format += QLatin1Char(' ') + locale.timeFormat(QLocale::ShortFormat);
    return format;
}

void AgendaItemWindow::saveAndClose()
{
    QString error;
    if (!saveItem(&error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    close();
}

void AgendaItemWindow::updateTitle()
{
    const QString subject = m_subject->text().trimmed();
    setWindowTitle((subject.isEmpty() ? QStringLiteral("Untitled") : subject)
        + QStringLiteral(" - ") + m_kind);
}

} // namespace vantrel::ui
