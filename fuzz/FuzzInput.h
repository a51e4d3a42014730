#pragma once

// What every fuzz target shares: an application object for the Qt parts that want
// one, and a private folder where the input is written as a file of the kind the
// reader expects.

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace vantrel::fuzz {

inline void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = { name, nullptr };
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
}

// The input as a file named name in the fuzz target's own folder.
inline QString inputFile(const QString& name, const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

} // namespace vantrel::fuzz
