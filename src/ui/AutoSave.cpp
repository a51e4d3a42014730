#include "ui/AutoSave.h"

#include "office/MailProgram.h"
#include "office/WordProcessor.h"
#include "ui/WorkingFiles.h"

#include <QDir>

namespace vantrel::ui {

AutoSave::AutoSave(Kind kind, QObject* parent)
    : QTimer(parent)
    , m_kind(kind)
{
    const bool document = kind == Kind::Document;
    setObjectName(document ? QStringLiteral("TimerWord") : QStringLiteral("TimerOutlook"));
    setInterval(document ? 1000 : 5000);
    connect(this, &QTimer::timeout, this, [this] { saveNow(); });
}

bool AutoSave::saveNow() const
{
    QDir().mkpath(QStringLiteral("Temp"));
    QString error;
    if (m_kind == Kind::MailText)
        return office::MailProgram::instance().saveActiveItemAsText(workingMailTextPath(), &error);
    office::WordProcessor& word = office::WordProcessor::instance();
    office::WordProcessor::Instance running = 0;
    return word.attach(&running, &error)
        && word.saveActiveDocument(running, workingDocumentPath(), &error);
}

} // namespace vantrel::ui
