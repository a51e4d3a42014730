#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolBar;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::ui {
class FieldBinder;
class FieldScrollArea;
} // namespace vantrel::ui

namespace vantrel::ui {

// What the company and contact screens share: one bound view with its fields in
// the details frame Frame1, a view mode (frame disabled, empty fields hidden with
// their captions) and an edit mode (frame enabled and captioned "Edit Mode",
// every field shown, master-table combos over the boxes they fill, CommandSave
// in the place of CommandEdit), the edit tool bar and printing an image of the
// screen in landscape on the default printer.
class RecordScreen : public QWidget {
    Q_OBJECT
public:
    explicit RecordScreen(const QString& name, QWidget* parent = nullptr);

    data::BoundView* view() const { return m_view; }
    QGroupBox* detailsFrame() const { return m_frame; }
    // What a screen lays out: the details frame, scrolled when the screen is too low
    // for all its fields (outside the frame, so it scrolls also while the frame is locked).
    ui::FieldScrollArea* detailsArea() const { return m_area; }
    bool isEditMode() const { return m_editMode; }

    void enterEditMode();
    void leaveEditMode();

    // An image of the screen, landscape, on the printer of ui::PrinterProvider.
    bool printScreen(QString* error);

protected:
    enum class Emptiness { Text, TextOrZero };

    ui::FieldBinder* binder() const { return m_binder; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* saveButton() const { return m_save; }

    // A caption (labelName may be null: no caption) and a box bound to the
    // field, at a row of the details frame's left (column 0) or right (column 2)
    // half; each half closes up around its hidden fields by itself.
    QLineEdit* addTextField(const QString& field, const char* labelName, const QString& caption,
        int row, int column, Emptiness emptiness = Emptiness::Text);
    QPlainTextEdit* addMemoField(const QString& field, const char* labelName,
        const QString& caption, int row, int column, QWidget* companion);
    // A hidden box bound to a field that other code reads by name.
    QLineEdit* addHiddenField(const QString& field, const QString& objectName);
    // The combo DBComboNN_MM that lists master table NN's entries in edit mode and
    // copies the picked one into the box of field TEXTMM.
    QComboBox* addMasterCombo(int masterTable, QLineEdit* box);
    // A field hidden in view mode only while empty; without this it is hidden whenever empty.
    void setAlwaysShown(QWidget* editor, bool always);

    QPushButton* makeButton(const char* name, const QString& caption);
    // Toolbar1: Copy, Cut, Undo and Paste act on the focused box.
    QToolBar* makeToolBar();

    // Shows the fields of the current row as the mode wants them.
    void updateFieldVisibility();
    // Tab goes through the fields as they are read: the left half top to bottom, then the
    // right half, a combo in the place of its box and a zoom button after its note. Called
    // once the fields are made.
    void arrangeTabOrder();
    // The cursor into the first field that is on show, as a new record begins.
    void focusFirstField();
    // Runs when the mode changes, after the fields were arranged.
    virtual void editModeChanged() { }

    bool eventFilter(QObject* watched, QEvent* event) override;
    // Stores the pending edits first; a screen whose edits cannot be stored says
    // why and stays open, so that nothing typed is lost.
    void closeEvent(QCloseEvent* event) override;

private:
    struct ShownField {
        QWidget* editor;
        QLabel* label;
        QWidget* companion;
        QString field;
        Emptiness emptiness;
        bool alwaysShown;
    };
    struct MasterCombo {
        QComboBox* combo;
        QLineEdit* box;
        QString table;
    };

    QGridLayout* half(int column) const { return column == 0 ? m_left : m_right; }
    // The two halves of the fields side by side while they fit the area's width,
    // else the right half under the left one.
    void arrangeHalves();
    QLabel* makeCaption(
        const char* labelName, const QString& caption, int row, int column, Qt::Alignment align);
    bool isEmpty(const ShownField& field) const;
    void fillMasterCombos();

    data::BoundView* m_view;
    ui::FieldBinder* m_binder;
    QGroupBox* m_frame;
    ui::FieldScrollArea* m_area;
    QBoxLayout* m_halves;
    QGridLayout* m_left;
    QGridLayout* m_right;
    QPushButton* m_edit;
    QPushButton* m_save;
    QList<ShownField> m_fields;
    QList<MasterCombo> m_combos;
    QList<QWidget*> m_tabOrder;
    bool m_editMode = false;
};

} // namespace vantrel::ui
