#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace vantrel::office {

// The word processor as the screens use it. Like the application it stands in
// for, it runs as instances: a caller starts a new one or attaches to the one
// running, adds a document based on a template, types into it, saves or copies
// it, and either lets the instance run on for the user or tells it to quit. The
// built-in program is used unless a test installs a double. Paths are relative
// to the program folder or absolute.
class WordProcessor {
public:
    // Names an instance; 0 names none.
    using Instance = quint64;

    virtual ~WordProcessor() = default;

    using Factory = std::function<std::unique_ptr<WordProcessor>()>;
    // What instance() makes while no program is installed; the composition root sets it.
    static void setDefaultFactory(Factory factory);
    static WordProcessor& instance();
    // Replaces the program; nullptr brings back the built-in one.
    static void setInstance(std::unique_ptr<WordProcessor> program);

    // A new instance, invisible and without documents.
    virtual Instance start() = 0;
    // The running instance the user worked in last; fails when none runs.
    virtual bool attach(Instance* instance, QString* error) = 0;
    // A new document based on a template file (RTF, or plain text which becomes
    // the body); it becomes the instance's active document.
    virtual bool addDocument(Instance instance, const QString& templatePath, QString* error) = 0;
    // Shows the instance's windows and brings the active document to the front.
    virtual bool show(Instance instance, QString* error) = 0;
    // Typed at the insertion point of the active document; CR LF starts a new paragraph.
    virtual bool typeText(Instance instance, const QString& text, QString* error) = 0;
    virtual bool moveToEnd(Instance instance, QString* error) = 0;
    // The active document as RTF with its letterhead, replacing an older file.
    virtual bool saveActiveDocument(Instance instance, const QString& path, QString* error) = 0;
    // The whole body of the active document on the clipboard, as RTF and plain text.
    virtual bool copyWholeDocument(Instance instance, QString* error) = 0;
    // The clipboard's rich text at the insertion point of the active document.
    virtual bool paste(Instance instance, QString* error) = 0;
    // Closes the instance's documents; a shown document with unsaved changes asks
    // the user first, and keeping it open makes quitting fail.
    virtual bool quit(Instance instance, QString* error) = 0;
};

} // namespace vantrel::office
