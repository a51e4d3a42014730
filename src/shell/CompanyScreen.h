#pragma once

#include <QString>
#include <QVariant>

namespace vantrel::shell {

// The company a screen stands on: TABLE01's AUTONUMBER, TEXT01 and TEXT02.
struct CurrentCompany {
    QVariant key;          // invalid when the screen's list is empty
    QString name;
    QString accountNumber;
};

// A screen that always stands on one company: the companies screen for the
// companies branch of the navigation tree, the archive screen for the archive branch.
class CompanyScreen {
public:
    virtual ~CompanyScreen() = default;
    virtual CurrentCompany currentCompany() const = 0;
};

} // namespace vantrel::shell
