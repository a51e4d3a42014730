#include "RecordingOpener.h"

namespace vantrel::platform {

bool RecordingOpener::open(const QUrl& url)
{
    opened.append(url);
    return succeed;
}

} // namespace vantrel::platform
