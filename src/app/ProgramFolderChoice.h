#pragma once

#include <QString>

namespace vantrel::app {

// Which program folder the program works in: the one named on the command line;
// else the executable's own folder while it can be written (a build or a copy
// of the program image); else, for an installed program that lies read-only, a
// folder of the user's own (~/Vantrel), laid out from the installed image at
// the first start and used as it is at every later start.
class ProgramFolderChoice {
public:
    // image: the folder of the installed files (the executable's folder).
    static QString choose(const QString& requested, const QString& image);
    static QString userFolder();

    // Copies what the image delivers (databases, letterhead, workbooks, manual)
    // into the folder where it is missing; nothing there is ever replaced, and the
    // program itself and its libraries stay in the image.
    static bool layOut(const QString& image, const QString& folder, QString* error);
};

} // namespace vantrel::app
