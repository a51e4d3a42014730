#include "ui/BuiltInWordProcessor.h"

#include "data/Failure.h"
#include "data/ProgramFolder.h"
#include "office/WordDocument.h"
#include "ui/WordWindow.h"

namespace vantrel::ui {

namespace {

using data::fail;

QList<WordWindow*> openWindows(const QList<QPointer<WordWindow>>& windows)
{
    QList<WordWindow*> open;
    for (const QPointer<WordWindow>& window : windows) {
        if (window && window->isOpen())
            open.append(window);
    }
    return open;
}

WordWindow* lastUsed(const QList<WordWindow*>& windows)
{
    WordWindow* last = nullptr;
    for (WordWindow* window : windows) {
        if (!last || window->lastUse() > last->lastUse())
            last = window;
    }
    return last;
}

} // namespace

void BuiltInWordProcessor::forgetEnded()
{
    std::erase_if(m_running, [](const auto& entry) {
        const Running& state = entry.second;
        return state.visible && state.hadDocument && openWindows(state.windows).isEmpty();
    });
}

BuiltInWordProcessor::Running* BuiltInWordProcessor::running(Instance instance, QString* error)
{
    forgetEnded();
    const auto found = m_running.find(instance);
    if (found == m_running.end()) {
        fail(error, QStringLiteral("The word processor is no longer running."));
        return nullptr;
    }
    return &found->second;
}

WordWindow* BuiltInWordProcessor::activeWindow(Instance instance)
{
    Running* state = running(instance, nullptr);
    return state ? lastUsed(openWindows(state->windows)) : nullptr;
}

office::WordDocument* BuiltInWordProcessor::activeDocument(Instance instance, QString* error)
{
    if (!running(instance, error))
        return nullptr;
    WordWindow* window = activeWindow(instance);
    if (!window) {
        fail(error, QStringLiteral("No document is open in the word processor."));
        return nullptr;
    }
    return window->document();
}

office::WordProcessor::Instance BuiltInWordProcessor::start()
{
    forgetEnded();
    m_running[++m_lastStarted] = Running();
    return m_lastStarted;
}

bool BuiltInWordProcessor::attach(Instance* instance, QString* error)
{
    forgetEnded();
    if (m_running.empty())
        return fail(error, QStringLiteral("The word processor is not running."));
    // The instance whose window was used last; without windows, the newest.
    Instance chosen = m_running.rbegin()->first;
    quint64 chosenUse = 0;
    for (const auto& [id, state] : m_running) {
        if (WordWindow* window = lastUsed(openWindows(state.windows));
            window && window->lastUse() > chosenUse) {
            chosen = id;
            chosenUse = window->lastUse();
        }
    }
    *instance = chosen;
    return true;
}

bool BuiltInWordProcessor::addDocument(
    Instance instance, const QString& templatePath, QString* error)
{
    Running* state = running(instance, error);
    if (!state)
        return false;
    auto* window = new WordWindow;
    if (!window->document()->loadTemplate(templatePath, error)) {
        delete window;
        return false;
    }
    window->markUse();
    state->windows.append(window);
    state->hadDocument = true;
    if (state->visible)
        window->bringToFront();
    return true;
}

bool BuiltInWordProcessor::show(Instance instance, QString* error)
{
    Running* state = running(instance, error);
    if (!state)
        return false;
    state->visible = true;
    const QList<WordWindow*> windows = openWindows(state->windows);
    for (WordWindow* window : windows)
        window->show();
    if (WordWindow* window = lastUsed(windows))
        window->bringToFront();
    return true;
}

bool BuiltInWordProcessor::typeText(Instance instance, const QString& text, QString* error)
{
    office::WordDocument* document = activeDocument(instance, error);
    if (!document)
        return false;
    document->typeText(text);
    return true;
}

bool BuiltInWordProcessor::moveToEnd(Instance instance, QString* error)
{
    office::WordDocument* document = activeDocument(instance, error);
    if (!document)
        return false;
    document->moveToEnd();
    return true;
}

bool BuiltInWordProcessor::saveActiveDocument(
    Instance instance, const QString& path, QString* error)
{
    office::WordDocument* document = activeDocument(instance, error);
    return document && data::prepareWorkingFile(path, error) && document->saveAs(path, error);
}

bool BuiltInWordProcessor::copyWholeDocument(Instance instance, QString* error)
{
    office::WordDocument* document = activeDocument(instance, error);
    if (!document)
        return false;
    document->copyWholeBody();
    return true;
}

bool BuiltInWordProcessor::paste(Instance instance, QString* error)
{
    office::WordDocument* document = activeDocument(instance, error);
    return document && document->paste(error);
}

bool BuiltInWordProcessor::quit(Instance instance, QString* error)
{
    Running* state = running(instance, error);
    if (!state)
        return false;
    for (WordWindow* window : openWindows(state->windows)) {
        if (!window->close())
            return fail(error,
                QStringLiteral("The document '%1' was kept open.")
                    .arg(window->document()->title()));
    }
    m_running.erase(instance);
    return true;
}

} // namespace vantrel::ui
