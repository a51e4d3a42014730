#pragma once

#include <QString>
#include <QVariantList>

namespace vantrel::ui {

// A query with its bound values.
struct RecordQuery {
    QString sql;
    QVariantList parameters;
};

enum class RecordBranch { Companies, Archive };

// A screen that the navigation tree fills with the rows of one company: the
// screen makes the query its record source and refreshes it.
class RecordViewScreen {
public:
    virtual ~RecordViewScreen() = default;
    virtual bool showRecords(const RecordQuery& query, QString* error) = 0;
    // Which screen's company the rows belong to; told before the rows are shown.
    virtual void setRecordBranch(RecordBranch) { }
};

} // namespace vantrel::ui
