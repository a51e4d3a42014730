#pragma once

#include "platform/Desktop.h"

#include <QList>
#include <QUrl>

namespace vantrel::platform {

// Records what it was asked to open instead of starting the desktop's
// applications; with `succeed` cleared every open fails as with no application.
class RecordingOpener : public Desktop::Opener {
public:
    bool open(const QUrl& url) override;

    QList<QUrl> opened;
    bool succeed = true;
};

} // namespace vantrel::platform
