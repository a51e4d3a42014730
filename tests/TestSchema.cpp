#include "data/Database.h"
#include "data/Schema.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vantrel::data;

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void placeholder()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY2(createDatabaseFile(dir.filePath(QStringLiteral("C.mdb")), DatabaseKind::Business, &error),
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "TestSchema.moc"
