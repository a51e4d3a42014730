#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace vantrel::companies {

// Writes the contacts of one sales person's active companies to Temp/Contacts.csv
// and Temp/Contacts.vcf, for the address book of a desktop mail program.
class FormExport : public QWidget {
    Q_OBJECT
public:
    explicit FormExport(QWidget* parent = nullptr);

    void chooseName(const QString& name);
    void exportContacts();

    static QString csvPath(); // "Temp/Contacts.csv"
    static QString vCardPath(); // "Temp/Contacts.vcf"

private:
    QString m_name;
    QComboBox* m_names;
    QPushButton* m_export;
    QLabel* m_done;
};

} // namespace vantrel::companies
