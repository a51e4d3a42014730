#pragma once

#include <QHash>
#include <QImage>
#include <QString>

namespace vantrel::shell {

// Pictures of the real screens for the manual, keyed by the
// names the sources use ("screen:FormMenu"). The screens are made in a temporary
// program folder, so the pictures show a new installation; the working folder is
// restored afterwards. Needs a QApplication.
bool takeScreenPictures(QHash<QString, QImage>* pictures, QString* error);

} // namespace vantrel::shell
