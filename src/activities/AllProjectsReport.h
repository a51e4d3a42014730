#pragma once

#include "data/Database.h"
#include "office/Workbook.h"

namespace vantrel::activities {

// One row per action step of every active project of every active company, by
// company, industry group, project name and action date.
bool queryAllActiveProjects(data::Database& db, data::QueryResult* rows);

// The report workbook of those rows: headings bold with a filter and frozen
// above the data, Arial Narrow 8, the action step wrapped in a column of width 50.
office::Workbook buildAllProjectsWorkbook(const data::QueryResult& rows);

} // namespace vantrel::activities
