#pragma once

#include <QDate>
#include <QString>

namespace vantrel::companies {

// The contact a letter, fax, e-mail, appointment or task is for, with the
// address of its company, and the texts made from them.
struct Correspondent {
    QString title;
    QString firstName;
    QString lastName;
    QString cellphone;
    QString email;
    QString directTelephone;
    QString directFax;

    QString company;
    QString postalAddress;
    QString postalCity;
    QString postalCode;
    QString streetAddress;
    QString streetLine2;
    QString city;

    // First and last name with one blank between them, as the messages name the contact.
    QString fullName() const;
    // Title, first and last name; no leading blank without a title.
    QString nameLine() const;
    // The head of a letter, lines separated by CR LF, ending in "RE: ".
    QString letterBlock(const QDate& date) const;
    // The letter's head with the contact's fax number before "RE: ".
    QString faxBlock(const QDate& date) const;
    // Who, where and how to reach them, for the calendar.
    QString appointmentSubject() const;
    // Ends in one blank.
    QString taskSubject() const;
};

} // namespace vantrel::companies
