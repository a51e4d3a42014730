#pragma once

#include <QWidget>

class QFormLayout;
class QLineEdit;

namespace vantrel::ui {

// The window in which the user finishes an agenda item: "Save & Close" above a
// form that starts with the subject; the caption follows the subject. Appointment
// and task windows add their own rows and say how the item is saved.
class AgendaItemWindow : public QWidget {
    Q_OBJECT
protected:
    AgendaItemWindow(const QString& subject, const QString& kind, QWidget* parent);

    QFormLayout* form() const { return m_form; }
    QLineEdit* subjectEdit() const { return m_subject; }
    // The system's short date form with the year in full, and the short time when asked for:
    // a two-digit year section would take the first two digits of a typed "2027" and drop the
    // rest, so a date typed as the other screens show it would not be taken as typed.
    static QString entryFormat(bool withTime);
    virtual bool saveItem(QString* error) = 0;

private:
    void saveAndClose();
    void updateTitle();

    QString m_kind;
    QLineEdit* m_subject;
    QFormLayout* m_form;
};

} // namespace vantrel::ui
