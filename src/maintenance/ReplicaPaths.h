#pragma once

#include <QString>

namespace vantrel::maintenance {

// The paths of a replica creation or a synchronization as the user gave them,
// checked before the engine is asked: a box left empty, a server file that is
// not there, or one file named on both sides gets a message of its own.
class ReplicaPaths {
public:
    // The path the engine takes, from the text of a path box.
    static QString fromBox(const QString& text);
    // The text a path box shows.
    static QString toBox(const QString& path);

    static bool checkCreation(const QString& source, const QString& replica, QString* error);
    static bool checkSynchronization(const QString& replica, const QString& server, QString* error);
};

} // namespace vantrel::maintenance
