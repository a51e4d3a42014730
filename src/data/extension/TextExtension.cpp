// The text rules as a loadable extension, for a support person who opens a
// Vantrel database with the sqlite3 shell:
//     sqlite3 CONTACT.mdb
//     .load ./libvantrel_sqlite_text
// Without it the shell refuses every query that sorts or compares text by the
// collation the tables declare.
#include "data/TextRules.h"

SQLITE_EXTENSION_INIT1

// The name the shell looks for when it is given the file's name alone.
extern "C" int sqlite3_vantrelsqlitetext_init(
    sqlite3* db, char** /*message*/, const sqlite3_api_routines* routines)
{
    SQLITE_EXTENSION_INIT2(routines);
    vantrel::data::registerTextRules(db);
    return SQLITE_OK;
}
