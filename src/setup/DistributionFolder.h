#pragma once

#include <QDir>
#include <QString>

namespace vantrel::setup {

// The files beside the launcher on the distribution medium.
class DistributionFolder {
public:
    explicit DistributionFolder(const QString& path);

    QString slideShow() const { return file(QStringLiteral("Files/Presentation.pdf")); }
    QString instructions() const { return file(QStringLiteral("Files/Installation.pdf")); }
    QString installationErrors() const
    {
        return file(QStringLiteral("Files/Installation_Error.pdf"));
    }
    QString runtimeInstaller() const { return file(QStringLiteral("Files/install-runtime.sh")); }
    QString masterDatabase() const { return file(QStringLiteral("Files/CONTACT.mdb")); }
    // The program's installation package in Program/ (the newest version there).
    QString package() const;

private:
    QString file(const QString& name) const { return m_dir.filePath(name); }

    QDir m_dir;
};

} // namespace vantrel::setup
