// Replays the fuzzers' findings (fuzz/regressions/) and the hand-written seeds
// (fuzz/corpus/) through the fuzz targets' checks in every normal build, and,
// as libFuzzer's -malloc_limit_mb does, fails a single allocation beyond 64 MB.

#include "../../fuzz/FuzzChecks.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cstdlib>

// Under AddressSanitizer (scripts/leakcheck.sh builds with gcc) the sanitizer owns malloc.
#ifdef __SANITIZE_ADDRESS__
#define WQ_WATCH_ALLOCATIONS 0
#else
#define WQ_WATCH_ALLOCATIONS 1
#endif

namespace {

std::atomic<size_t> largestAllocation{0};

void noteAllocation(size_t size)
{
    size_t seen = largestAllocation.load(std::memory_order_relaxed);
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
}

} // namespace

#if WQ_WATCH_ALLOCATIONS
// The program's malloc takes the place of the C library's for Qt too; it
// only notes the size and hands on to glibc's own allocator.
extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *pointer, size_t size);

void *malloc(size_t size) noexcept
{
    noteAllocation(size);
    return __libc_malloc(size);
}

void *calloc(size_t count, size_t size) noexcept
{
    noteAllocation(count * size);
    return __libc_calloc(count, size);
}

void *realloc(void *pointer, size_t size) noexcept
{
    noteAllocation(size);
    return __libc_realloc(pointer, size);
}
}
#endif

using namespace wq;

class FuzzRegressionsTest : public QObject {
    Q_OBJECT

    static constexpr size_t AllocationLimit = size_t(64) << 20;
    QTemporaryDir m_dir;

    QString work() const { return m_dir.path() + u'/'; }

    static void addInputs(const QString &target, const QString &folder)
    {
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(target + u'/' + dir.dirName() + u'/' + name)) << target << dir.filePath(name);
    }

    QString check(const QString &target, QByteArrayView input) const
    {
        if (target == u"package")
            return fuzz::checkPackage(input);
        if (target == u"legacy")
            return fuzz::checkLegacy(input, work());
        if (target == u"rtf")
            return fuzz::checkRtf(input, true);
        if (target == u"number")
            return fuzz::checkNumber(input);
        if (target == u"packer")
            return fuzz::checkPacker(input);
        if (target == u"csv")
            return fuzz::checkCsv(input);
        return QStringLiteral("no fuzz target %1").arg(target);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QByteArray comma = fuzz::prepareDecimalCommaLocale(work());
        if (comma.isEmpty())
            qWarning("No decimal-comma locale here: numbers are checked in the C locale only.");
        else
            qInfo("Numbers are also read in the locale %s.", comma.constData());
    }

    void replay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        const QString folder = QStringLiteral(WANDQUIZ_SOURCE_DIR "/fuzz/");
        qsizetype regressions = 0;
        for (const char *name : {"package", "legacy", "rtf", "number", "packer", "csv"}) {
            const QString target = QString::fromLatin1(name);
            regressions += QDir(folder + QStringLiteral("regressions/") + target).entryList(QDir::Files).size();
            addInputs(target, folder + QStringLiteral("regressions/") + target);
            addInputs(target, folder + QStringLiteral("corpus/") + target);
        }
        QVERIFY2(regressions > 0, "fuzz/regressions/ holds no inputs");
        const QDir walls(QStringLiteral(WANDQUIZ_SOURCE_DIR "/data/walls"));
        for (const QString &name : walls.entryList({QStringLiteral("*.frg")}, QDir::Files))
            QTest::newRow(qPrintable(QStringLiteral("legacy/data/") + name)) << QStringLiteral("legacy") << walls.filePath(name);
        QTest::newRow("rtf/data/help.rtf") << QStringLiteral("rtf")
                                           << QStringLiteral(WANDQUIZ_SOURCE_DIR "/data/help/help.rtf");
    }

    void replay()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray input = file.readAll();
        file.close();

        largestAllocation = 0;
        const QString problem = check(target, input);
        const size_t largest = largestAllocation;
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY2(largest <= AllocationLimit,
                 qPrintable(QStringLiteral("an input of %1 bytes made an allocation of %2 MB")
                                .arg(input.size())
                                .arg(double(largest) / (1 << 20), 0, 'f', 1)));
    }

    void allocationsAreWatched()
    {
        if (!WQ_WATCH_ALLOCATIONS)
            QSKIP("the sanitizer's allocator is in place");
        largestAllocation = 0;
        QByteArray big(qsizetype(AllocationLimit) + 1, Qt::Uninitialized);
        QVERIFY(largestAllocation > AllocationLimit);
    }
};

QTEST_MAIN(FuzzRegressionsTest)
#include "tst_fuzzregressions.moc"
