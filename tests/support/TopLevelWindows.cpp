#include "TopLevelWindows.h"

#include "ui/WordWindow.h"

namespace vantrel::test {

void deleteWordWindows()
{
    qDeleteAll(topLevelWindows<ui::WordWindow>());
}

} // namespace vantrel::test
