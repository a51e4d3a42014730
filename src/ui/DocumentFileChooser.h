#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace vantrel::ui {

// Asks the user where to save a document. Tests install a handler that answers
// in advance and records what was asked.
class DocumentFileChooser {
public:
    class Handler {
    public:
        virtual ~Handler() = default;
        // The chosen path; empty when the user cancelled.
        virtual QString saveFileName(
            QWidget* parent, const QString& suggestedPath, const QStringList& filters)
            = 0;
    };

    // filters as the file dialog takes them: "RTF document (*.rtf)".
    static QString saveFileName(
        QWidget* parent, const QString& suggestedPath, const QStringList& filters);
    // Replaces the file dialog; nullptr restores it.
    static void setHandler(std::unique_ptr<Handler> handler);
};

// Answers from a queue (cancel when it runs dry) and keeps the suggested paths.
class RecordingDocumentFileChooser : public DocumentFileChooser::Handler {
public:
    QString saveFileName(
        QWidget* parent, const QString& suggestedPath, const QStringList& filters) override;

    QStringList answers;
    QStringList suggestedPaths;
};

} // namespace vantrel::ui
