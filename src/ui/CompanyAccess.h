#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace vantrel::ui {

// Typed access to the company a record screen stands on (the companies screen,
// or the archive screen for the archive branch). Other screens read the current
// company and write back into it through this, never through its widgets; what
// they write is stored at once, or with the user's own changes at Save while the
// screen is in edit mode.
class CompanyAccess {
public:
    virtual ~CompanyAccess() = default;

    // TABLE01.AUTONUMBER; invalid when the screen's list is empty.
    virtual QVariant companyKey() const = 0;
    // Any TABLE01 column of the current company ("TEXT01", "NUMBER01" ...).
    virtual QVariant companyValue(const QString& column) const = 0;
    // A new company has no key until it is stored, which may happen long after
    // another screen took it up: a non-zero entry names the new company on
    // show, and companyKeyOf() gives its key once it was stored.
    virtual quint64 companyEntry() const { return 0; }
    virtual QVariant companyKeyOf(quint64 entry) const
    {
        Q_UNUSED(entry);
        return {};
    }
    // Stores the new company on show, so that rows of other tables can name it;
    // the screen stays as it is (also in edit mode).
    virtual bool storeCompany(QString* error)
    {
        *error = QStringLiteral("The company cannot be stored from here.");
        return false;
    }

    virtual bool setLastVisited(const QDate& date) = 0; // DATE01
    virtual bool setAppointmentNote(const QString& note) = 0; // TEXT21
    virtual bool setNotes(const QString& notes) = 0; // MEMO01
    virtual bool setCompanyDetails(const QString& details) = 0; // MEMO02

    // The companies screen, made when it is not open yet: the current company of
    // the activities and contacts. Null when no such screen is registered.
    static CompanyAccess* companiesScreen();
    // The company's name (TEXT01); empty without a company.
    static QString nameOf(const CompanyAccess* company);
};

} // namespace vantrel::ui
