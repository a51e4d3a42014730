#include "ui/FieldBinder.h"

#include "data/BoundView.h"
#include "data/FieldValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextEdit>

namespace vantrel::ui {

namespace {

bool isChecked(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return false;
    const QString text = value.toString().trimmed().toLower();
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    if (isNumber)
        return number != 0;
    return text == QLatin1String("true") || text == QLatin1String("yes")
        || text == QLatin1String("on");
}

} // namespace

FieldBinder::FieldBinder(data::BoundView* view, QObject* parent)
    : QObject(parent)
    , m_view(view)
{
    connect(view, &data::BoundView::currentRowChanged, this, &FieldBinder::reload);
    connect(view, &data::BoundView::valueChanged, this, &FieldBinder::showField);
    connect(view, &data::BoundView::rowUpdated, this, &FieldBinder::showRow);
}

void FieldBinder::bind(QLineEdit* edit, const QString& field)
{
    const int binding = add(edit, field, Kind::LineEdit);
    connect(edit, &QLineEdit::textEdited, this,
        [this, binding](const QString& text) { write(binding, text, false); });
    connect(edit, &QLineEdit::editingFinished, this,
        [this, binding, edit] { finishTyping(binding, edit->text()); });
}

void FieldBinder::bind(QPlainTextEdit* edit, const QString& field)
{
    const int binding = add(edit, field, Kind::PlainText);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, binding, edit] {
        if (!m_showing)
            write(binding, edit->toPlainText(), true);
    });
}

void FieldBinder::bind(QTextEdit* edit, const QString& field, const TextDocumentCodec& codec)
{
    const int binding = add(edit, field, Kind::RichText, codec);
    connect(edit, &QTextEdit::textChanged, this, [this, binding, edit] {
        if (m_showing)
            return;
        const TextDocumentCodec& codec = m_bindings.at(binding).codec;
        write(binding, codec.write ? codec.write(*edit->document()) : edit->toPlainText(), true);
    });
}

void FieldBinder::bind(QComboBox* combo, const QString& field)
{
    const int binding = add(combo, field, Kind::Combo);
    combo->setInsertPolicy(QComboBox::NoInsert);
    connect(combo, &QComboBox::activated, this,
        [this, binding, combo](int index) { write(binding, combo->itemText(index), true); });
    if (QLineEdit* edit = combo->lineEdit()) {
        connect(edit, &QLineEdit::textEdited, this,
            [this, binding](const QString& text) { write(binding, text, false); });
        connect(edit, &QLineEdit::editingFinished, this,
            [this, binding, edit] { finishTyping(binding, edit->text()); });
    }
    // A pick list filled or refilled later must still show the field's value.
    if (QAbstractItemModel* model = combo->model()) {
        connect(model, &QAbstractItemModel::modelReset, this, [this, binding] { show(binding); });
        connect(model, &QAbstractItemModel::rowsInserted, this, [this, binding] { show(binding); });
    }
}

void FieldBinder::bind(QLabel* label, const QString& field)
{
    add(label, field, Kind::Label);
}

void FieldBinder::bind(QCheckBox* box, const QString& field)
{
    const int binding = add(box, field, Kind::CheckBox);
    connect(box, &QCheckBox::clicked, this,
        [this, binding](bool checked) { write(binding, checked ? 1 : 0, true); });
}

void FieldBinder::reload()
{
    for (int binding = 0; binding < m_bindings.size(); ++binding)
        show(binding);
}

int FieldBinder::add(
    QWidget* widget, const QString& field, Kind kind, const TextDocumentCodec& codec)
{
    m_bindings.append({ widget, field, kind, codec });
    const int binding = int(m_bindings.size()) - 1;
    show(binding);
    return binding;
}

void FieldBinder::show(int binding)
{
    Binding& bound = m_bindings[binding];
    QWidget* widget = bound.widget;
    if (!widget || !m_view || binding == m_writing)
        return;
    const QScopedValueRollback showing(m_showing, true);
    const bool hasRow = m_view->hasCurrentRow();
    const QVariant value = hasRow ? m_view->value(bound.field) : QVariant();
    const QString text = data::displayText(value);
    switch (bound.kind) {
    case Kind::LineEdit: {
        auto* edit = static_cast<QLineEdit*>(widget);
        if (edit->text() != text) {
            edit->setText(text);
            // A value longer than its locked box shows its beginning, where it
            // is read from; a box open for typing keeps the cursor at the end.
            if (!edit->isEnabled())
                edit->setCursorPosition(0);
        }
        break;
    }
    case Kind::PlainText: {
        auto* edit = static_cast<QPlainTextEdit*>(widget);
        if (edit->toPlainText() != text)
            edit->setPlainText(text);
        break;
    }
    case Kind::RichText: {
        auto* edit = static_cast<QTextEdit*>(widget);
        if (bound.codec.read)
            bound.codec.read(*edit->document(), text);
        else if (edit->toPlainText() != text)
            edit->setPlainText(text);
        break;
    }
    case Kind::Combo: {
        auto* combo = static_cast<QComboBox*>(widget);
        if (combo->isEditable()) {
            if (combo->currentText() != text)
                combo->setEditText(text);
        }
        else {
            combo->setCurrentIndex(
                text.isEmpty() ? -1 : combo->findText(text, Qt::MatchFixedString));
        }
        break;
    }
    case Kind::Label:
        static_cast<QLabel*>(widget)->setText(text);
        return;
    case Kind::CheckBox:
        static_cast<QCheckBox*>(widget)->setChecked(isChecked(value));
        break;
    }
    if (!hasRow && widget->isEnabled()) {
        widget->setEnabled(false);
        bound.disabledByBinder = true;
    }
    else if (hasRow && bound.disabledByBinder) {
        widget->setEnabled(true);
        bound.disabledByBinder = false;
    }
}

void FieldBinder::showField(int row, int column)
{
    if (!m_view || row != m_view->position())
        return;
    for (int binding = 0; binding < m_bindings.size(); ++binding) {
        if (m_view->fieldIndex(m_bindings.at(binding).field) == column)
            show(binding);
    }
}

void FieldBinder::showRow(int row)
{
    if (m_view && row == m_view->position())
        reload();
}

bool FieldBinder::write(int binding, const QVariant& value, bool reportRefusal)
{
    if (!m_view)
        return false;
    bool written = false;
    {
        const QScopedValueRollback writing(m_writing, binding);
        written = m_view->setValue(m_bindings.at(binding).field, value);
    }
    if (!written && reportRefusal)
        refuse(binding, m_view->lastError());
    return written;
}

void FieldBinder::finishTyping(int binding, const QString& text)
{
    if (!m_view || !m_view->hasCurrentRow() || m_showing)
        return;
    // Leaving a box unchanged stores nothing: a date shown with a two-digit
    // year would otherwise be read back into another century.
    if (text == data::displayText(m_view->value(m_bindings.at(binding).field)))
        return;
    // A completer may have filled in more than was typed; store what is shown.
    if (write(binding, text, true))
        show(binding);
}

void FieldBinder::refuse(int binding, const QString& message)
{
    show(binding);
    emit editRefused(m_bindings.at(binding).field, message);
}

} // namespace vantrel::ui
