#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel::companies {

// Adds companies from an address book that a desktop mail program exported (a
// CSV or vCard file): the file becomes the table Contacts of CONTACT.mdb, and
// each distinct company of it a new company row. A second import asks first,
// since it adds the same companies again. Contacts goes whenever the dialog closes.
class FormImport : public QWidget {
    Q_OBJECT
public:
    explicit FormImport(QWidget* parent = nullptr);
    ~FormImport() override;

    // "&Import": asks for the file, loads it and imports or asks to import again.
    void import();
    // Loads the file as the table Contacts, then imports or asks; false when the
    // file could not be loaded (the reason was shown).
    bool importFile(const QString& path);
    void confirmYes();
    void confirmNo();

    static QString guard();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool insertCompanies(QString* error);
    static bool storeGuard(const QString& value, QString* error);
    void dropContacts();
    void grow();

    QLabel* m_message;
    QLineEdit* m_guard;
    QPushButton* m_import;
    QPushButton* m_yes;
    QPushButton* m_no;
    bool m_dropped = false;
};

} // namespace vantrel::companies
