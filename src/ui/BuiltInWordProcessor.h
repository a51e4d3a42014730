#pragma once

#include "office/WordProcessor.h"

#include <QList>
#include <QPointer>

#include <map>

namespace vantrel::office {
class WordDocument;
}

namespace vantrel::ui {

class WordWindow;

// Vantrel's own word processor: each document of an instance has an editor
// window of its own, hidden until the instance is shown. An instance that the
// user saw ends when the user closes its last window.
class BuiltInWordProcessor : public office::WordProcessor {
public:
    Instance start() override;
    bool attach(Instance* instance, QString* error) override;
    bool addDocument(Instance instance, const QString& templatePath, QString* error) override;
    bool show(Instance instance, QString* error) override;
    bool typeText(Instance instance, const QString& text, QString* error) override;
    bool moveToEnd(Instance instance, QString* error) override;
    bool saveActiveDocument(Instance instance, const QString& path, QString* error) override;
    bool copyWholeDocument(Instance instance, QString* error) override;
    bool paste(Instance instance, QString* error) override;
    bool quit(Instance instance, QString* error) override;

    // The window of the instance's active document; nullptr when it has none.
    WordWindow* activeWindow(Instance instance);

private:
    struct Running {
        QList<QPointer<WordWindow>> windows;
        bool visible = false;
        bool hadDocument = false;
    };

    // Drops instances whose windows the user closed.
    void forgetEnded();
    Running* running(Instance instance, QString* error);
    office::WordDocument* activeDocument(Instance instance, QString* error);

    std::map<Instance, Running> m_running;
    Instance m_lastStarted = 0;
};

} // namespace vantrel::ui
