#pragma once

#include <QDir>
#include <QTemporaryDir>

namespace vantrel::test {

// A temporary program folder that is the working folder while it lives, so that
// code under test finds files by their bare names as the program does.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Writes the delivered CONTACT.mdb and User.mdb into the folder.
    void createDatabases() const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace vantrel::test
