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
