#include "shell/FormDetails.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "platform/MessageBox.h"
#include "ui/CompanyAccess.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace vantrel::shell {

namespace {

const QString notesField = QStringLiteral("MEMO01");
const QString detailsField = QStringLiteral("MEMO02");

} // namespace

FormDetails::FormDetails(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_text(new QPlainTextEdit(this))
    , m_memo(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FormDetails"));
    m_text->setObjectName(QStringLiteral("Text1"));
    m_memo->setObjectName(QStringLiteral("TextMemo"));
    m_memo->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    m_defaultSize = ui::twipsToPixels(QSize(5800, 3600), this);
    resize(m_defaultSize);
}

FormDetails* FormDetails::zoom(QWidget* companyScreen, const QString& field)
{
    auto* viewer = ui::Screens::instance<FormDetails>(QStringLiteral("FormDetails"));
    if (!viewer)
        return nullptr;
    QString error;
    if (!viewer->showField(companyScreen, field, &error))
        platform::MessageBox::error(companyScreen, error);
    else if (companyScreen)
        viewer->placeOver(companyScreen->findChild<QWidget*>(field));
    ui::Screens::bringToFront(QStringLiteral("FormDetails"));
    return viewer;
}

void FormDetails::placeOver(QWidget* box)
{
    // The text grows out of the box it came from, never smaller than the box, and stays on the
    // screen that shows the box.
    if (!box || !box->isVisible())
        return;
    QRect frame(box->mapToGlobal(QPoint(0, 0)), m_defaultSize.expandedTo(box->size()));
    if (const QScreen* screen = box->screen()) {
        const QRect available = screen->availableGeometry();
        frame.setSize(frame.size().boundedTo(available.size()));
        frame.moveRight(qMin(frame.right(), available.right()));
        frame.moveBottom(qMin(frame.bottom(), available.bottom()));
        frame.moveLeft(qMax(frame.left(), available.left()));
        frame.moveTop(qMax(frame.top(), available.top()));
    }
    setGeometry(frame);
}

bool FormDetails::showField(QWidget* companyScreen, const QString& field, QString* error)
{
    auto* target = dynamic_cast<ui::CompanyAccess*>(companyScreen);
    if (!target) {
        *error = QStringLiteral("The screen shows no company.");
        return false;
    }
    if (field != notesField && field != detailsField) {
        *error = QStringLiteral("The field %1 cannot be zoomed.").arg(field);
        return false;
    }
    // The one viewer may still hold changes to the note it showed before.
    if (!writeBack(error))
        return false;

    m_screen = companyScreen;
    m_companyKey = target->companyKey();
    m_companyEntry = m_companyKey.isValid() ? 0 : target->companyEntry();
    m_memo->setText(field);
    m_text->setPlainText(target->companyValue(field).toString());
    m_shownText = m_text->toPlainText();
    const QString name = target->companyValue(QStringLiteral("TEXT01")).toString();
    setWindowTitle(name
        + (field == notesField ? QStringLiteral(" - Notes")
                               : QStringLiteral(" - Company Details")));
    return true;
}

QString FormDetails::field() const
{
    return m_memo->text();
}

bool FormDetails::writeBack(QString* error)
{
    const QString text = m_text->toPlainText();
    if (field().isEmpty() || text == m_shownText)
        return true;
    learnCompanyKey();
    ui::CompanyAccess* target = company();
    // Written through the screen only while it still stands on the company whose
    // note this is; otherwise the note would land in another company. A new
    // company not stored yet takes the note with its other pending values.
    const bool onShow = target
        && (m_companyKey.isValid()
                ? target->companyKey() == m_companyKey
                : m_companyEntry != 0 && target->companyEntry() == m_companyEntry);
    if (onShow) {
        const bool written
            = field() == notesField ? target->setNotes(text) : target->setCompanyDetails(text);
        if (!written) {
            *error = QStringLiteral("The text could not be written into the company.");
            return false;
        }
    }
    else if (!writeIntoDatabase(error)) {
        return false;
    }
    m_shownText = text;
    return true;
}

void FormDetails::closeEvent(QCloseEvent* event)
{
    QString error;
    if (writeBack(&error)) {
        event->accept();
        return;
    }
    const bool discard = platform::MessageBox::question(this,
        platform::MessageBox::errorText(error)
            + QStringLiteral("\n\nClose the viewer without keeping your changes?"),
        platform::MessageBox::No);
    if (discard)
        event->accept();
    else
        event->ignore();
}

ui::CompanyAccess* FormDetails::company() const
{
    return dynamic_cast<ui::CompanyAccess*>(m_screen.data());
}

void FormDetails::learnCompanyKey()
{
    if (m_companyKey.isValid() || m_companyEntry == 0)
        return;
    if (const ui::CompanyAccess* target = company()) {
        m_companyKey = target->companyKeyOf(m_companyEntry);
        if (m_companyKey.isValid())
            m_companyEntry = 0;
    }
}

bool FormDetails::writeIntoDatabase(QString* error) const
{
    if (!m_companyKey.isValid()) {
        *error = QStringLiteral("The company was never stored and is no longer on show.");
        return false;
    }
    data::Database db;
    if (!data::openBusinessDatabase(db)) {
        *error = db.lastError();
        return false;
    }
    const QString text = m_text->toPlainText();
    // Only the two memo fields get here (showField checks), so the name is safe in the text.
    if (!db.execute(QStringLiteral("UPDATE TABLE01 SET %1 = ? WHERE AUTONUMBER = ?").arg(field()),
            { text.isEmpty() ? QVariant() : QVariant(text), m_companyKey })) {
        *error = db.lastError();
        return false;
    }
    if (db.changedRows() == 0) {
        *error = QStringLiteral("The company no longer exists.");
        return false;
    }
    return true;
}

} // namespace vantrel::shell
