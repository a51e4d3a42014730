#pragma once

#include <QString>

namespace vantrel::data {
class Database;
}

namespace vantrel::maintenance {

// Companies entered by accident and left without a name, active or archived.
// They go together with everything that belongs to them (contacts, attachment
// rows, projects and their action steps, call reports, correspondence,
// competitor products), in one transaction, so no child row is left without its
// company. Named companies and their rows are never touched.
bool removeBlankCompanies(data::Database& db, int* removed, QString* error);

} // namespace vantrel::maintenance
