#pragma once

#include <QRect>
#include <QString>

namespace vantrel::data {

// Where the main window stood when the program last ended on this workstation, kept in
// User.mdb beside the workstation's other settings.
struct WindowPlacement {
    QRect normalGeometry; // the frame it has when not maximized
    bool maximized = false;

    // False with the reason when User.mdb cannot be read; a workstation that never stored a
    // placement gives an empty geometry.
    static bool load(WindowPlacement* placement, QString* error);
    static bool save(const WindowPlacement& placement, QString* error);
};

} // namespace vantrel::data
