#pragma once

#include <QObject>

namespace vantrel::ui {

// Ends the running program from a screen, as a replica creation or a
// synchronization does so that the user starts again on the new database. The
// start sequence ends the program on the signal; tests watch it instead.
class ProgramEnd : public QObject {
    Q_OBJECT
public:
    static ProgramEnd* instance();
    static void request();

signals:
    void requested();

private:
    ProgramEnd() = default;
};

} // namespace vantrel::ui
