#pragma once

#include "ui/RecordViewScreen.h"

#include <QString>

namespace vantrel::companies {

// The rows of the all-contacts screen: the contacts of every active company by
// first name, narrowed by the sales person responsible for the company and by a
// keyword found anywhere in the contact's keywords. Both are bound values taken
// literally, so a name with an apostrophe or a keyword such as "50%" or "[a]"
// finds exactly what was typed.
struct AllContactsFilter {
    QString salesPerson; // empty: every sales person
    QString keyword; // empty: no keyword condition
};

ui::RecordQuery allContactsQuery(const AllContactsFilter& filter);

// The e-mail addresses of the same rows, in the same order, each followed by
// "; "; contacts without an address are left out.
ui::RecordQuery mailMergeQuery(const AllContactsFilter& filter);

} // namespace vantrel::companies
