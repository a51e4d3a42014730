#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace vantrel::companies {

// Asks the user for a file to read (an attachment, an address book to import).
// Tests install a handler that answers in advance and records what was asked.
class OpenFileChooser {
public:
    class Handler {
    public:
        virtual ~Handler() = default;
        // The chosen path; empty when the user cancelled.
        virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
            const QStringList& filters)
            = 0;
    };

    // filters as the file dialog takes them: "Address books (*.csv *.vcf)".
    static QString openFileName(QWidget* parent, const QString& caption,
        const QString& folder = QString(), const QStringList& filters = {});
    // Replaces the file dialog; nullptr restores it.
    static void setHandler(std::unique_ptr<Handler> handler);
};

// Answers from a queue (cancel when it runs dry) and keeps the captions asked with.
class RecordingOpenFileChooser : public OpenFileChooser::Handler {
public:
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
        const QStringList& filters) override;

    QStringList answers;
    QStringList captions;
};

} // namespace vantrel::companies
