// Runs one replica operation, or a series of edits each followed by a
// synchronization, so that the replication tests can kill it at any moment or
// run two at once against one server.
#include "data/Database.h"
#include "data/ReplicaSet.h"
#include "data/Schema.h"

#include <QCoreApplication>

#include <cstdio>

using namespace vantrel::data;

namespace {

int failed(const QString& error)
{
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const QString command = arguments.value(0);
    QString error;
    // The tests time their kills from here, past the start of the process.
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    if (command == u"create" && arguments.size() == 3) {
        return ReplicaSet::createReplica(arguments.at(1), arguments.at(2), &error) ? 0
                                                                                   : failed(error);
    }
    if (command == u"sync" && arguments.size() == 3) {
        SyncOutcome outcome;
        if (!ReplicaSet::synchronize(arguments.at(1), arguments.at(2), &outcome, &error))
            return failed(error);
        std::printf("sent %d received %d conflicts %d\n", outcome.sent, outcome.received,
            int(outcome.conflicts.size()));
        return 0;
    }
    if (command == u"work" && arguments.size() == 5) {
        const QString replica = arguments.at(1);
        const QString label = arguments.at(3);
        for (int i = 0; i < arguments.at(4).toInt(); ++i) {
            {
                Database db;
                if (!openBusinessDatabase(db, replica)
                    || !db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT01) VALUES (?)"),
                        { QStringLiteral("%1 %2").arg(label).arg(i) }))
                    return failed(db.lastError());
            }
            SyncOutcome outcome;
            if (!ReplicaSet::synchronize(replica, arguments.at(2), &outcome, &error))
                return failed(error);
        }
        return 0;
    }
    std::fputs("usage: replicator create SERVER REPLICA | sync REPLICA SERVER | "
               "work REPLICA SERVER LABEL COUNT\n",
        stderr);
    return 2;
}
