#include "ui/LoadIndicator.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>

namespace vantrel::ui {

namespace {

QLabel* picture(const QString& name, const QString& file, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(QIcon(file).pixmap(32, 32));
    label->hide();
    return label;
}

} // namespace

LoadIndicator::LoadIndicator(QWidget* parent)
    : QWidget(parent)
    , m_text(new QLabel(this))
    , m_word(picture(QStringLiteral("ImageWord"), QStringLiteral(":/ui/icons/Word.svg"), this))
    , m_outlook(
          picture(QStringLiteral("ImageOutlook"), QStringLiteral(":/ui/icons/Outlook.svg"), this))
{
    m_text->setObjectName(QStringLiteral("LabelLoad"));
    QFont bold = m_text->font();
    bold.setBold(true);
    m_text->setFont(bold);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_word);
    layout->addWidget(m_outlook);
    layout->addWidget(m_text);
    layout->addStretch();
    hide();
}

void LoadIndicator::start(Program program)
{
    const bool word = program == Program::Word;
    m_text->setText(
        word ? QStringLiteral("Loading MS-Word...") : QStringLiteral("Loading MS-Outlook..."));
    m_word->setVisible(word);
    m_outlook->setVisible(!word);
    show();
    raise();
    // The office program takes a moment to come up; the indicator must be seen before.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LoadIndicator::stop()
{
    hide();
    m_word->hide();
    m_outlook->hide();
}

LoadIndicator::Showing::Showing(LoadIndicator* indicator, Program program)
    : m_indicator(indicator)
{
    m_indicator->start(program);
}

LoadIndicator::Showing::~Showing()
{
    m_indicator->stop();
}

} // namespace vantrel::ui
