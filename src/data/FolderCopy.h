#pragma once

#include <QList>
#include <QString>

namespace vantrel::data {

// The copy of the Documents and Attachments folders between the program folder
// and the server folder that follows a synchronization. It runs in a process of
// its own (vantrel-foldercopy), which goes on after the program has ended, and
// writes what it did and every failure to FolderCopy.log in the program folder;
// the next start of the program reports the failures.
//
// Of two files of one name the newer wins on both sides: a file is copied where
// the other side lacks it or holds an older one, never over a newer one, and a
// file of the same time is left alone.
class FolderCopy {
public:
    struct Step {
        QString source; // folder
        QString target; // folder
    };
    struct Failure {
        QString source; // the file (or folder) that could not be copied
        QString target; // where it was to go
        QString reason;
    };
    struct Outcome {
        int copied = 0;
        int kept = 0; // the target's own file was as new or newer
        QList<Failure> failures;
    };

    // The log's name in the program folder.
    static const QString logName;

    // The four copies in their order: the workstation's Documents and Attachments
    // to the server first, then the server's back to the workstation.
    static QList<Step> steps(const QString& programFolder, const QString& serverDocuments,
        const QString& serverAttachments);

    // Runs the steps in order; a file that fails is logged and the others go on.
    // The log is appended to (it is created when missing).
    static Outcome run(const QList<Step>& steps, const QString& logPath);

    // Starts vantrel-foldercopy for these folders and returns at once; the
    // process is not waited for and outlives the program.
    static bool startDetached(const QString& programFolder, const QString& serverDocuments,
        const QString& serverAttachments, QString* error);
    // The copier beside the program; tests may name another.
    static QString programPath();
    static void setProgramPath(const QString& path);

    // The failures the log holds that no earlier call returned; they count as
    // reported afterwards. A missing log has none.
    static bool takeUnreportedFailures(
        const QString& logPath, QList<Failure>* failures, QString* error);
};

} // namespace vantrel::data
