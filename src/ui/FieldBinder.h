#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextDocument;
class QTextEdit;
class QWidget;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::ui {

// How a rich text box keeps its document in a field. Without one, a QTextEdit
// binds as plain text.
struct TextDocumentCodec {
    std::function<QString(const QTextDocument&)> write;
    std::function<void(QTextDocument&, const QString&)> read;
};

// Shows the fields of a bound view's current row in widgets and hands what the
// user changes back to the view. Showing a value is never an edit; what counts
// is the user's typing, picking and clicking (and any change of a text box's
// text outside of showing, as a screen's code may fill a box).
//
// Dates show in the system's short date form; a line edit takes a date typed in
// that form or as ISO. A check box stores 1 when checked and 0 when not, and
// shows as checked any number other than 0 and the texts true, yes and on.
// While the view has no current row the widgets are empty and disabled (labels
// are only emptied); those the binder disabled come back with the next row.
class FieldBinder : public QObject {
    Q_OBJECT
public:
    explicit FieldBinder(data::BoundView* view, QObject* parent = nullptr);

    void bind(QLineEdit* edit, const QString& field);
    void bind(QPlainTextEdit* edit, const QString& field);
    void bind(QTextEdit* edit, const QString& field, const TextDocumentCodec& codec = {});
    // An editable combo stores what is typed or picked; a pick-list combo what is
    // picked, and shows a value missing from its list as no selection. Typed
    // text is never added to the list. Bind a combo after giving it its model.
    void bind(QComboBox* combo, const QString& field);
    void bind(QLabel* label, const QString& field);
    void bind(QCheckBox* box, const QString& field);

    // Shows the current row in every bound widget again.
    void reload();

signals:
    // The view refused what the user entered (a date that is none, a field it
    // does not write); the widget shows the field's value again.
    void editRefused(const QString& field, const QString& message);

private:
    enum class Kind { LineEdit, PlainText, RichText, Combo, Label, CheckBox };
    struct Binding {
        QPointer<QWidget> widget;
        QString field;
        Kind kind;
        TextDocumentCodec codec;
        bool disabledByBinder = false;
    };

    int add(QWidget* widget, const QString& field, Kind kind, const TextDocumentCodec& codec = {});
    void show(int binding);
    void showField(int row, int column);
    void showRow(int row);
    // Hands a user's value to the view; reports a refusal unless more typing may
    // still make the value acceptable.
    bool write(int binding, const QVariant& value, bool reportRefusal);
    void finishTyping(int binding, const QString& text);
    void refuse(int binding, const QString& message);

    QPointer<data::BoundView> m_view;
    QList<Binding> m_bindings;
    bool m_showing = false;
    int m_writing = -1;
};

} // namespace vantrel::ui
