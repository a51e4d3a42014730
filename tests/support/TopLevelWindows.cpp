#include "TopLevelWindows.h"

#include "office/WordWindow.h"

namespace vantrel::test {

void deleteWordWindows()
{
    qDeleteAll(topLevelWindows<office::WordWindow>());
}

} // namespace vantrel::test
