#pragma once

#include "ui/RecordViewScreen.h"

#include <QVariant>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vantrel::data {
class BoundView;
class BoundViewModel;
} // namespace vantrel::data

namespace vantrel::ui {
class FieldBinder;
class HintLine;
} // namespace vantrel::ui

namespace vantrel::companies {

// The files attached to one company (TABLE05), newest first: each a file of the
// Attachments folder with the day it was attached and a description. Files are
// opened with the desktop's application; a file is deleted with its last row.
class FormAttachments : public QWidget, public ui::RecordViewScreen {
    Q_OBJECT
public:
    explicit FormAttachments(QWidget* parent = nullptr);

    // The rows of the company whose key the query binds first; new attachments
    // belong to that company, also when it is the archived one.
    bool showRecords(const ui::RecordQuery& query, QString* error) override;

    data::BoundView* view() const { return m_view; }
    QVariant companyKey() const { return m_companyKey; }

    void pickAttachment(int row);
    void openAttachment(int row);
    // Shows the files of the Attachments folder for the user to choose one.
    void newAttachment();
    // Attaches a file of the Attachments folder by name.
    void attachFile(const QString& name);
    // Copies a file from anywhere into the Attachments folder and attaches the copy.
    void attachCopy(const QString& path);
    void chooseFileToCopy();
    void deleteAttachment();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void declareHints();
    void showFileList(bool show);
    QString companyName() const;
    QString field(const QString& name) const;

    data::BoundView* m_view;
    data::BoundViewModel* m_model;
    ui::FieldBinder* m_binder;
    ui::HintLine* m_hints;
    QVariant m_companyKey;
    QLabel* m_select;
    QListView* m_list;
    QListWidget* m_files;
    QLineEdit* m_name;
    QLineEdit* m_date;
    QPlainTextEdit* m_description;
    QPushButton* m_new;
    QPushButton* m_delete;
    QPushButton* m_browse;
};

} // namespace vantrel::companies
