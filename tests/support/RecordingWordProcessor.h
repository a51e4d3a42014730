#pragma once

#include "office/WordProcessor.h"

#include <QList>
#include <QStringList>

#include <map>
#include <memory>

namespace vantrel::office {

class WordDocument;

// Records what the screens asked of the word processor, without windows. Its
// documents are real (templates are read, typed text lands in them, saving writes
// the file, copying fills the clipboard), so a test can check what a screen
// produced. With `failure` set every operation fails with that text.
class RecordingWordProcessor : public WordProcessor {
public:
    RecordingWordProcessor();
    ~RecordingWordProcessor() override;

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

    // The instance's last added document; nullptr when it has none or has quit.
    WordDocument* document(Instance instance) const;
    bool isRunning(Instance instance) const { return m_documents.count(instance) > 0; }

    int started = 0;
    QStringList templates;
    QList<Instance> shown;
    QStringList typed;
    int movesToEnd = 0;
    QStringList savedPaths;
    int copies = 0;
    int pastes = 0;
    QList<Instance> quitInstances;
    QString failure;

private:
    bool succeeds(QString* error) const;
    WordDocument* activeDocument(Instance instance, QString* error) const;

    std::map<Instance, std::unique_ptr<WordDocument>> m_documents;
    Instance m_lastStarted = 0;
};

} // namespace vantrel::office
