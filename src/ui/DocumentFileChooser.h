#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace vantrel::ui {

// Asks the user where to save a document, or for a file to open (a database on
// the server). Tests install a handler that answers in advance and records what
// was asked.
class DocumentFileChooser {
public:
    class Handler {
    public:
        virtual ~Handler() = default;
        // The chosen path; empty when the user cancelled.
        virtual QString saveFileName(
            QWidget* parent, const QString& suggestedPath, const QStringList& filters)
            = 0;
        virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
            const QStringList& filters)
            = 0;
    };

    // filters as the file dialog takes them: "RTF document (*.rtf)".
    static QString saveFileName(
        QWidget* parent, const QString& suggestedPath, const QStringList& filters);
    // An existing file; the dialog starts in folder.
    static QString openFileName(
        QWidget* parent, const QString& caption, const QString& folder, const QStringList& filters);
    // Replaces the file dialog; nullptr restores it.
    static void setHandler(std::unique_ptr<Handler> handler);
};

// Answers from a queue (cancel when it runs dry) and keeps the suggested paths,
// and the captions and folders the open dialog was asked with.
class RecordingDocumentFileChooser : public DocumentFileChooser::Handler {
public:
    QString saveFileName(
        QWidget* parent, const QString& suggestedPath, const QStringList& filters) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
        const QStringList& filters) override;

    QStringList answers;
    QStringList suggestedPaths;
    QStringList openCaptions;
    QStringList openFolders;
};

} // namespace vantrel::ui
