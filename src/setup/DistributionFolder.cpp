#include "setup/DistributionFolder.h"

namespace vantrel::setup {

DistributionFolder::DistributionFolder(const QString& path)
    : m_dir(path)
{
}

QString DistributionFolder::package() const
{
    const QDir program(m_dir.filePath(QStringLiteral("Program")));
    const QStringList packages = program.entryList(
        { QStringLiteral("vantrel_*.deb") }, QDir::Files, QDir::Name | QDir::Reversed);
    return program.filePath(packages.isEmpty() ? QStringLiteral("vantrel.deb") : packages.first());
}

} // namespace vantrel::setup
