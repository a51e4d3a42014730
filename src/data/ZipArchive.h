#pragma once

#include <QByteArray>
#include <QString>

typedef struct zip zip_t;

namespace vantrel::data {

// A zip file opened for reading, as .xlsx and .ods workbooks are. Everything read
// from one archive together may not unpack to more than maxUnpackedWorkbookBytes,
// which defeats zip bombs. Failure reasons complete "The file 'X' could not be read: ...".
class ZipArchive {
public:
    ZipArchive();
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool open(const QString& path, QString* reason);
    // Entry names are matched without regard to letter case, as Office does.
    bool contains(const QString& entry) const;
    bool read(const QString& entry, QByteArray* data, QString* reason);

private:
    zip_t* m_zip = nullptr;
    qint64 m_budget = 0;
};

} // namespace vantrel::data
