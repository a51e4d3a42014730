#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::products {

// The document a record points to in the Documents folder of the program
// folder: the heading LabelTechnical, the icon Image1 (shown while the record
// has a document; a click opens it), the button CommandAdd ("&Add" or
// "&Delete") and the file list File1 to pick a document from. The record keeps
// the bare file name in one field; the file itself is never copied or deleted.
class AttachedDocument : public QObject {
    Q_OBJECT
public:
    AttachedDocument(data::BoundView* view, const QString& field, QWidget* screen);

    QLabel* heading() const { return m_heading; }
    QToolButton* icon() const { return m_icon; }
    QPushButton* button() const { return m_button; }
    QListWidget* fileList() const { return m_files; }

    QString fileName() const;
    // True for a name that stays in the Documents folder: no folder part, no "..".
    static bool isBareDocumentName(const QString& name);
    // Opens the record's document with the desktop's application; false with a
    // reason when there is none or its stored name leaves the folder.
    bool open(QString* error);

signals:
    // Shown while the user picks a document, hidden again after the pick.
    void pickingChanged(bool picking);

private:
    void follow();
    void press();
    void pick(QListWidgetItem* item);
    void openClicked();

    QPointer<data::BoundView> m_view;
    QString m_field;
    QWidget* m_screen;
    QLabel* m_heading;
    QToolButton* m_icon;
    QPushButton* m_button;
    QListWidget* m_files;
};

} // namespace vantrel::products
