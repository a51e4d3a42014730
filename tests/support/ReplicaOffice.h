#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace vantrel::data {
class Database;
}

namespace vantrel::test {

// A server folder and the program folders of a few laptops, each with its
// CONTACT.mdb, in a temporary folder of their own.
class ReplicaOffice {
public:
    ReplicaOffice();

    QString root() const { return m_dir.path(); }
    QString server() const { return m_dir.filePath(QStringLiteral("Server/CONTACT.mdb")); }
    QString laptop(int number) const;

    // A server database with `companies` companies of two contacts each.
    void createServer(int companies = 20) const;

private:
    QTemporaryDir m_dir;
};

// Every replicated table, rows in key order with their stored values, one line
// each: two members are identical when their dumps are.
QStringList dumpOf(const QString& path);

// Inserts a company and returns its key.
qint64 insertCompany(vantrel::data::Database& db, const QString& name);
qint64 insertContact(vantrel::data::Database& db, qint64 company, const QString& name);

} // namespace vantrel::test
