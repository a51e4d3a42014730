#pragma once

#include <QObject>
#include <QWidget>

namespace vantrel::test {

// The child control of that object name. A test that cannot reach the control
// it drives would only fail later and less clearly, so a missing one ends the
// test program at once.
template <class T = QWidget> T* findControl(const QObject* parent, const char* name)
{
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

} // namespace vantrel::test
