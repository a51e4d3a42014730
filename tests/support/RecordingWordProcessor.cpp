#include "RecordingWordProcessor.h"

#include "office/WordDocument.h"

namespace vantrel::office {

RecordingWordProcessor::RecordingWordProcessor() = default;
RecordingWordProcessor::~RecordingWordProcessor() = default;

bool RecordingWordProcessor::succeeds(QString* error) const
{
    if (failure.isEmpty())
        return true;
    if (error)
        *error = failure;
    return false;
}

WordDocument* RecordingWordProcessor::document(Instance instance) const
{
    const auto found = m_documents.find(instance);
    return found == m_documents.end() ? nullptr : found->second.get();
}

WordDocument* RecordingWordProcessor::activeDocument(Instance instance, QString* error) const
{
    if (!succeeds(error))
        return nullptr;
    WordDocument* active = document(instance);
    if (!active && error)
        *error = isRunning(instance) ? QStringLiteral("No document is open in the word processor.")
                                     : QStringLiteral("The word processor is no longer running.");
    return active;
}

WordProcessor::Instance RecordingWordProcessor::start()
{
    ++started;
    m_documents[++m_lastStarted] = nullptr;
    return m_lastStarted;
}

bool RecordingWordProcessor::attach(Instance* instance, QString* error)
{
    if (!succeeds(error))
        return false;
    if (m_documents.empty()) {
        if (error)
            *error = QStringLiteral("The word processor is not running.");
        return false;
    }
    *instance = m_documents.rbegin()->first;
    return true;
}

bool RecordingWordProcessor::addDocument(
    Instance instance, const QString& templatePath, QString* error)
{
    if (!succeeds(error))
        return false;
    if (!isRunning(instance)) {
        if (error)
            *error = QStringLiteral("The word processor is no longer running.");
        return false;
    }
    templates.append(templatePath);
    auto added = std::make_unique<WordDocument>();
    if (!added->loadTemplate(templatePath, error))
        return false;
    m_documents[instance] = std::move(added);
    return true;
}

bool RecordingWordProcessor::show(Instance instance, QString* error)
{
    if (!succeeds(error))
        return false;
    shown.append(instance);
    return true;
}

bool RecordingWordProcessor::typeText(Instance instance, const QString& text, QString* error)
{
    WordDocument* active = activeDocument(instance, error);
    if (!active)
        return false;
    typed.append(text);
    active->typeText(text);
    return true;
}

bool RecordingWordProcessor::moveToEnd(Instance instance, QString* error)
{
    WordDocument* active = activeDocument(instance, error);
    if (!active)
        return false;
    ++movesToEnd;
    active->moveToEnd();
    return true;
}

bool RecordingWordProcessor::saveActiveDocument(
    Instance instance, const QString& path, QString* error)
{
    WordDocument* active = activeDocument(instance, error);
    if (!active)
        return false;
    savedPaths.append(path);
    return active->saveAs(path, error);
}

bool RecordingWordProcessor::copyWholeDocument(Instance instance, QString* error)
{
    WordDocument* active = activeDocument(instance, error);
    if (!active)
        return false;
    ++copies;
    active->copyWholeBody();
    return true;
}

bool RecordingWordProcessor::paste(Instance instance, QString* error)
{
    WordDocument* active = activeDocument(instance, error);
    if (!active)
        return false;
    ++pastes;
    return active->paste(error);
}

bool RecordingWordProcessor::quit(Instance instance, QString* error)
{
    if (!succeeds(error))
        return false;
    if (!isRunning(instance)) {
        if (error)
            *error = QStringLiteral("The word processor is no longer running.");
        return false;
    }
    quitInstances.append(instance);
    m_documents.erase(instance);
    return true;
}

} // namespace vantrel::office
