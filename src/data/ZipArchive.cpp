#include "data/ZipArchive.h"

#include "data/Worksheet.h"

#include <QFile>

#include <zip.h>

namespace vantrel::data {

namespace {

QString damaged()
{
    return QStringLiteral("it is damaged or is not a workbook");
}

QString tooLarge()
{
    return QStringLiteral("it unpacks to more than %1 MB, more than can be read")
        .arg(maxUnpackedWorkbookBytes / (1024 * 1024));
}

} // namespace

ZipArchive::ZipArchive() = default;

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipArchive::open(const QString& path, QString* reason)
{
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!m_zip) {
        *reason = damaged();
        return false;
    }
    m_budget = maxUnpackedWorkbookBytes;
    return true;
}

bool ZipArchive::contains(const QString& entry) const
{
    return m_zip && zip_name_locate(m_zip, entry.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

bool ZipArchive::read(const QString& entry, QByteArray* data, QString* reason)
{
    const zip_int64_t index
        = m_zip ? zip_name_locate(m_zip, entry.toUtf8().constData(), ZIP_FL_NOCASE) : -1;
    if (index < 0) {
        *reason = QStringLiteral("it is damaged or is not a workbook (the part '%1' is missing)")
                      .arg(entry);
        return false;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)
        && stat.size > zip_uint64_t(m_budget)) {
        *reason = tooLarge();
        return false;
    }
    zip_file_t* file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file) {
        *reason = damaged();
        return false;
    }
    QByteArray content;
    // The declared size can lie; only what is actually unpacked counts.
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size <= zip_uint64_t(m_budget))
        content.reserve(qsizetype(stat.size));
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const zip_int64_t count = zip_fread(file, buffer, sizeof buffer);
        if (count < 0) {
            *reason = damaged();
            ok = false;
            break;
        }
        if (count == 0)
            break;
        if (count > m_budget) {
            *reason = tooLarge();
            ok = false;
            break;
        }
        m_budget -= count;
        content.append(buffer, qsizetype(count));
    }
    zip_fclose(file);
    if (ok)
        *data = std::move(content);
    return ok;
}

} // namespace vantrel::data
