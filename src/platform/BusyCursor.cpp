#include "platform/BusyCursor.h"

#include <QApplication>
#include <QCursor>

namespace vantrel::platform {

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}

bool BusyCursor::isBusy()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

} // namespace vantrel::platform
