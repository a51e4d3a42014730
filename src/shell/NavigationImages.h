#pragma once

#include <QIcon>
#include <QString>

namespace vantrel::shell {

// The picture of a key of the navigation image list ("Company", "Arrow" ...);
// an empty icon for a key the list does not have.
QIcon navigationImage(const QString& key);

} // namespace vantrel::shell
