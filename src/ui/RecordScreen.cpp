#include "ui/RecordScreen.h"

#include "data/BoundView.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "platform/MessageBox.h"
#include "ui/EditToolBar.h"
#include "ui/FieldBinder.h"
#include "ui/FieldScrollArea.h"
#include "ui/PrinterProvider.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>

namespace vantrel::ui {

RecordScreen::RecordScreen(const QString& name, QWidget* parent)
    : QWidget(parent)
    , m_view(new data::BoundView(this))
    , m_binder(new ui::FieldBinder(m_view, this))
    , m_frame(new QGroupBox(this))
    , m_area(new ui::FieldScrollArea(m_frame, this))
    , m_halves(new QBoxLayout(QBoxLayout::LeftToRight, m_frame))
    , m_left(new QGridLayout)
    , m_right(new QGridLayout)
    , m_edit(new QPushButton(QStringLiteral("Edit"), this))
    , m_save(new QPushButton(QStringLiteral("Save Changes"), this))
{
    setObjectName(name);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setEnabled(false);
    for (QGridLayout* grid : { m_left, m_right }) {
        grid->setColumnStretch(1, 1);
        grid->setVerticalSpacing(3);
        grid->setAlignment(Qt::AlignTop);
        m_halves->addLayout(grid, 1);
    }
    m_halves->setSpacing(16);
    connect(m_area, &FieldScrollArea::resized, this, &RecordScreen::arrangeHalves);
    // Locked in view mode, but as legible as in edit mode.
    QPalette legible = m_frame->palette();
    for (const QPalette::ColorRole role : { QPalette::Text, QPalette::WindowText, QPalette::Base })
        legible.setColor(QPalette::Disabled, role, legible.color(QPalette::Active, role));
    m_frame->setPalette(legible);
    m_edit->setObjectName(QStringLiteral("CommandEdit"));
    m_save->setObjectName(QStringLiteral("CommandSave"));
    m_save->hide();
    connect(
        m_view, &data::BoundView::currentRowChanged, this, &RecordScreen::updateFieldVisibility);
    connect(m_view, &data::BoundView::valueChanged, this, &RecordScreen::updateFieldVisibility);
    connect(m_view, &data::BoundView::rowUpdated, this, &RecordScreen::updateFieldVisibility);
}

void RecordScreen::arrangeHalves()
{
    // Fields shown or hidden a moment ago change what the halves need.
    m_left->invalidate();
    m_right->invalidate();
    const QMargins margins = m_frame->contentsMargins() + m_halves->contentsMargins();
    const int sideBySide = m_left->minimumSize().width() + m_halves->spacing()
        + m_right->minimumSize().width() + margins.left() + margins.right();
    const auto direction
        = m_area->usableWidth() >= sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (m_halves->direction() == direction)
        return;
    m_halves->setDirection(direction);
    // One above the other, the left half keeps its height and the right one
    // follows it at once; side by side both share the width.
    m_halves->setStretch(0, direction == QBoxLayout::LeftToRight ? 1 : 0);
    // The fields take their new places now, not at the next turn of the event
    // loop, so that what lies under the mouse is what the screen shows.
    m_frame->layout()->activate();
}

void RecordScreen::enterEditMode()
{
    m_editMode = true;
    fillMasterCombos();
    m_frame->setEnabled(true);
    m_frame->setTitle(QStringLiteral("Edit Mode"));
    m_edit->hide();
    m_save->show();
    updateFieldVisibility();
    editModeChanged();
}

void RecordScreen::leaveEditMode()
{
    m_editMode = false;
    m_frame->setEnabled(false);
    m_frame->setTitle(QString());
    m_save->hide();
    m_edit->show();
    updateFieldVisibility();
    editModeChanged();
}

bool RecordScreen::printScreen(QString* error)
{
    std::unique_ptr<QPrinter> printer = ui::PrinterProvider::instance().printer(error);
    if (!printer)
        return false;
    printer->setPageOrientation(QPageLayout::Landscape);
    const QPixmap image = grab();
    QPainter painter;
    if (!painter.begin(printer.get())) {
        *error = QStringLiteral("The printer could not start printing.");
        return false;
    }
    const QRect page = painter.viewport();
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(QPoint(0, 0), size), image);
    return painter.end();
}

QLabel* RecordScreen::makeCaption(
    const char* labelName, const QString& caption, int row, int column, Qt::Alignment align)
{
    if (!labelName)
        return nullptr;
    auto* label = new QLabel(caption, m_frame);
    label->setObjectName(QLatin1String(labelName));
    half(column)->addWidget(label, row, 0, Qt::AlignLeft | align);
    return label;
}

QLineEdit* RecordScreen::addTextField(const QString& field, const char* labelName,
    const QString& caption, int row, int column, Emptiness emptiness)
{
    QLabel* label = makeCaption(labelName, caption, row, column, Qt::AlignVCenter);
    auto* box = new QLineEdit(m_frame);
    box->setObjectName(field);
    half(column)->addWidget(box, row, 1);
    m_binder->bind(box, field);
    m_fields.append({ box, label, nullptr, field, emptiness, false });
    return box;
}

QPlainTextEdit* RecordScreen::addMemoField(const QString& field, const char* labelName,
    const QString& caption, int row, int column, QWidget* companion)
{
    QLabel* label = makeCaption(labelName, caption, row, column, Qt::AlignTop);
    auto* memo = new QPlainTextEdit(m_frame);
    memo->setObjectName(field);
    memo->setTabChangesFocus(true);
    memo->setMinimumHeight(60);
    auto* cell = new QHBoxLayout;
    cell->addWidget(memo, 1);
    if (companion) {
        // The companion (a zoom button) must stay usable in view mode, where the
        // frame is disabled: it stands beside the memo on the scrolled area, above
        // the frame, and follows the memo when the frame scrolls.
        companion->setParent(m_area->viewport());
        cell->addSpacing(std::min(companion->sizeHint().width(), companion->maximumWidth()) + 2);
        memo->installEventFilter(this);
        m_frame->installEventFilter(this);
    }
    half(column)->addLayout(cell, row, 1);
    m_binder->bind(memo, field);
    m_fields.append({ memo, label, companion, field, Emptiness::Text, false });
    return memo;
}

bool RecordScreen::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) {
        for (const ShownField& field : m_fields) {
            if (field.companion && (field.editor == watched || watched == m_frame)) {
                const QPoint corner
                    = field.editor->mapTo(m_area->viewport(), QPoint(field.editor->width() + 2, 0));
                field.companion->move(corner);
                field.companion->raise();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QLineEdit* RecordScreen::addHiddenField(const QString& field, const QString& objectName)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(objectName);
    box->hide();
    m_binder->bind(box, field);
    return box;
}

QComboBox* RecordScreen::addMasterCombo(int masterTable, QLineEdit* box)
{
    auto* combo = new QComboBox(m_frame);
    combo->setObjectName(QStringLiteral("DBCombo%1_%2")
                             .arg(masterTable, 2, 10, QLatin1Char('0'))
                             .arg(box->objectName().right(2)));
    combo->hide();
    QGridLayout* grid = m_left->indexOf(box) >= 0 ? m_left : m_right;
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    grid->getItemPosition(grid->indexOf(box), &row, &column, &rowSpan, &columnSpan);
    grid->addWidget(combo, row, column);
    const QString field = box->objectName();
    connect(combo, &QComboBox::activated, this, [this, combo, box, field](int item) {
        const QString text = combo->itemText(item);
        box->setText(text);
        m_view->setValue(field, text);
    });
    m_combos.append(
        { combo, box, QStringLiteral("MT%1").arg(masterTable, 2, 10, QLatin1Char('0')) });
    return combo;
}

void RecordScreen::setAlwaysShown(QWidget* editor, bool always)
{
    for (ShownField& field : m_fields) {
        if (field.editor == editor)
            field.alwaysShown = always;
    }
}

QPushButton* RecordScreen::makeButton(const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    return button;
}

QToolBar* RecordScreen::makeToolBar()
{
    return makeEditToolBar(this);
}

bool RecordScreen::isEmpty(const ShownField& field) const
{
    const QVariant value = m_view->value(field.field);
    const QString text = data::displayText(value).trimmed();
    if (text.isEmpty())
        return true;
    return field.emptiness == Emptiness::TextOrZero && text == u"0";
}

void RecordScreen::updateFieldVisibility()
{
    for (const ShownField& field : m_fields) {
        const bool shown = m_editMode || field.alwaysShown || !isEmpty(field);
        field.editor->setVisible(shown);
        if (field.label)
            field.label->setVisible(shown);
        if (field.companion)
            field.companion->setVisible(shown);
    }
    for (const MasterCombo& entry : m_combos) {
        entry.combo->setVisible(m_editMode);
        if (m_editMode) {
            entry.box->hide();
            const QString text = m_view->value(entry.box->objectName()).toString();
            entry.combo->setCurrentIndex(entry.combo->findText(text, Qt::MatchFixedString));
        }
    }
    arrangeHalves();
}

void RecordScreen::closeEvent(QCloseEvent* event)
{
    if (m_view->isEdited() && !m_view->update()) {
        platform::MessageBox::error(
            this, QStringLiteral("The changes could not be saved: %1").arg(m_view->lastError()));
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void RecordScreen::arrangeTabOrder()
{
    m_tabOrder.clear();
    for (QGridLayout* grid : { m_left, m_right }) {
        QMap<int, QList<QWidget*>> rows;
        for (int index = 0; index < grid->count(); ++index) {
            int row = 0;
            int column = 0;
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
            QLayoutItem* item = grid->itemAt(index);
            if (column != 1 || !item)
                continue;
            if (QWidget* widget = item->widget()) {
                rows[row].append(widget);
                continue;
            }
            if (QLayout* cell = item->layout()) {
                for (int inner = 0; inner < cell->count(); ++inner) {
                    if (QWidget* widget = cell->itemAt(inner)->widget())
                        rows[row].append(widget);
                }
            }
        }
        for (const QList<QWidget*>& row : std::as_const(rows)) {
            for (QWidget* widget : row) {
                m_tabOrder.append(widget);
                for (const ShownField& field : std::as_const(m_fields)) {
                    if (field.editor == widget && field.companion)
                        m_tabOrder.append(field.companion);
                }
            }
        }
    }
    for (qsizetype index = 1; index < m_tabOrder.size(); ++index)
        QWidget::setTabOrder(m_tabOrder.at(index - 1), m_tabOrder.at(index));
}

void RecordScreen::focusFirstField()
{
    for (QWidget* widget : std::as_const(m_tabOrder)) {
        if (widget->isVisibleTo(this) && widget->isEnabled()
            && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void RecordScreen::fillMasterCombos()
{
    const std::shared_ptr<data::Database> db = m_view->database();
    if (!db)
        return;
    QStringList failures;
    for (const MasterCombo& entry : m_combos) {
        data::QueryResult entries;
        entry.combo->clear();
        if (!db->query(QStringLiteral("SELECT TEXT01 FROM %1 ORDER BY TEXT01").arg(entry.table), {},
                &entries)) {
            failures.append(QStringLiteral("%1: %2").arg(entry.table, db->lastError()));
            continue;
        }
        for (const QVariantList& row : entries.rows)
            entry.combo->addItem(row.value(0).toString());
    }
    // One message for every list that stays empty, not one a drop-down.
    if (!failures.isEmpty())
        platform::MessageBox::error(this,
            QStringLiteral("The entries of these master tables could not be read:\n%1")
                .arg(failures.join(QLatin1Char('\n'))));
}

} // namespace vantrel::ui
