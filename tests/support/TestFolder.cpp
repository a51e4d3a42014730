#include "TestFolder.h"

#include "data/Schema.h"

#include <QTest>

namespace vantrel::test {

TestFolder::TestFolder()
    : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

TestFolder::~TestFolder()
{
    QDir::setCurrent(m_previous);
}

void TestFolder::createDatabases() const
{
    using data::DatabaseKind;
    QString error;
    if (!data::createDatabaseFile(
            filePath(QStringLiteral("CONTACT.mdb")), DatabaseKind::Business, &error)
        || !data::createDatabaseFile(
            filePath(QStringLiteral("User.mdb")), DatabaseKind::User, &error))
        qFatal("could not create the test databases: %s", qPrintable(error));
}

} // namespace vantrel::test
