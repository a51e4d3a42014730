#include "activities/CompanyReportBrowser.h"

#include "data/BoundView.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/CompanyAccess.h"
#include "ui/HintLine.h"
#include "ui/Screens.h"
#include "ui/WorkingFiles.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace vantrel::activities {

CompanyReportBrowser::CompanyReportBrowser(const QString& name, const Options& options,
    const QString& searchHint, ui::RecordViews::View recordView, QWidget* parent)
    : ui::ReportBrowser(name, options, parent)
    , m_saveFrame(new QGroupBox(this))
    , m_saveLabel(new QLabel(m_saveFrame))
    , m_answers(new QHBoxLayout)
    , m_progress(new QProgressBar(this))
    , m_recordView(recordView)
{
    m_saveFrame->setObjectName(QStringLiteral("FrameSave"));
    m_saveLabel->setObjectName(QStringLiteral("LabelSave"));
    QFont bold = m_saveLabel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_saveLabel->setFont(bold);
    m_saveLabel->setWordWrap(true);
    m_saveLabel->setAlignment(Qt::AlignCenter);
    m_answers->addStretch();
    m_answers->addStretch();
    auto* frameLayout = new QVBoxLayout(m_saveFrame);
    frameLayout->addStretch();
    frameLayout->addWidget(m_saveLabel);
    frameLayout->addSpacing(12);
    frameLayout->addLayout(m_answers);
    frameLayout->addStretch();
    m_saveFrame->hide();
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->hide();
    addBelowReport(m_saveFrame);
    addBelowReport(m_progress);
    if (QPushButton* search = searchButton()) {
        hints()->setHint(search, [this, searchHint] {
            return searchHint + companyName()
                + QStringLiteral(" containing text you enter. Searches are not case sensitive.");
        });
    }
}

bool CompanyReportBrowser::showRecords(const ui::RecordQuery& query, QString* error)
{
    return showQuery(query, error);
}

bool CompanyReportBrowser::isQuestionShown() const
{
    return !m_saveFrame->isHidden();
}

ui::RecordQuery CompanyReportBrowser::resetQuery() const
{
    // The rows the navigation tree's view shows for the current company.
    ui::RecordQuery query;
    QString ignored;
    if (ui::CompanyAccess* owner = company();
        owner && ui::RecordViews::query(m_recordView, *owner, &query, &ignored))
        return query;
    return { QStringLiteral("SELECT * FROM %1 WHERE 0").arg(options().table), {} };
}

ui::RecordQuery CompanyReportBrowser::findQuery(const QString& phrase) const
{
    ui::CompanyAccess* owner = company();
    const QVariant key = owner && owner->companyKey().isValid() ? owner->companyKey() : QVariant();
    const QString table = options().table;
    return { QStringLiteral("SELECT * FROM %1 WHERE %1.NUMBER01 = ? AND memoContains(%1.MEMO01, ?)"
                            " ORDER BY %1.DATE01 DESC, %1.AUTONUMBER DESC")
                 .arg(table),
        { key, phrase } };
}

ui::CompanyAccess* CompanyReportBrowser::company()
{
    return ui::CompanyAccess::companiesScreen();
}

QString CompanyReportBrowser::companyName() const
{
    return ui::CompanyAccess::nameOf(company());
}

QPushButton* CompanyReportBrowser::addAnswer(const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, m_saveFrame);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(true);
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) * 4);
    m_answers->insertWidget(m_answers->count() - 1, button);
    return button;
}

void CompanyReportBrowser::showQuestion(QPushButton* answer, Pending pending)
{
    setWaiting(pending == Pending::Document ? Pending::Mail : Pending::Document, false);
    setWaiting(pending, true);
    m_saveFrame->show();
    reportView()->hide();
    setReportCommandsEnabled(false);
    hints()->frame()->hide();
    answer->setFocus(Qt::OtherFocusReason);
}

void CompanyReportBrowser::hideQuestion()
{
    setWaiting(Pending::Document, false);
    setWaiting(Pending::Mail, false);
    m_saveFrame->hide();
    m_progress->hide();
    m_progress->setValue(0);
    reportView()->show();
    setReportCommandsEnabled(true);
}

bool CompanyReportBrowser::storeWorkingFile(const QString& path, QString* error)
{
    platform::BusyCursor busy;
    m_progress->setValue(0);
    m_progress->show();
    const auto fail = [this] {
        m_progress->hide();
        m_progress->setValue(0);
        return false;
    };
    advance();
    ui::CompanyAccess* owner = company();
    const QVariant key = owner ? owner->companyKey() : QVariant();
    if (!key.isValid()) {
        *error = QStringLiteral("No company is selected.");
        return fail();
    }
    advance();
    QString rtf;
    if (!ui::readAsRichText(path, &rtf, error))
        return fail();
    advance();
    const std::shared_ptr<data::Database> db = view()->database();
    if (!db) {
        *error = QStringLiteral("The database is not open.");
        return fail();
    }
    // Written at once: a row left pending would be lost if the program ended first.
    if (!db->execute(QStringLiteral("INSERT INTO %1 (NUMBER01, DATE01, MEMO01) VALUES (?, ?, ?)")
                         .arg(options().table),
            { key, data::Clock::today(), rtf })) {
        *error = db->lastError();
        return fail();
    }
    const qint64 stored = db->lastInsertId();
    advance();
    QString listError;
    if (showQuery(resetQuery(), &listError))
        view()->moveToBookmark(stored);
    else
        platform::MessageBox::error(this, listError);
    advance();
    hideQuestion();
    return true;
}

void CompanyReportBrowser::advance()
{
    m_progress->setValue(std::min(m_progress->value() + 20, 100));
}

} // namespace vantrel::activities
