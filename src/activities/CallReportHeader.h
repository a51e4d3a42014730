#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace vantrel::ui {
class CompanyAccess;
}

namespace vantrel::activities {

// The header of a call report as the entry screen builds it: six lines from the
// company's record, then one line for each step the user takes. The word
// processor gets the lines joined by CR LF, never with a break at the end.
class CallReportHeader {
public:
    // The six base lines; lines added before are dropped. Without a company the
    // values stay empty.
    void reset(const ui::CompanyAccess* company);

    void addMethod(const QString& method);
    void addDateAndTime(const QDate& date, const QString& time);
    // Once for every pick, so the same person may stand twice.
    void addPerson(const QString& fullName);

    const QStringList& lines() const { return m_lines; }
    QString text() const;

    // What is typed into the new document: the header, the company's details as
    // a preamble when there are any, then the place where the report starts.
    QString documentText(const QString& preamble) const;

private:
    QStringList m_lines;
};

} // namespace vantrel::activities
