#pragma once
// The libFuzzer side of a target: Qt started once with only the program name,
// an empty work folder (the checker's images folder, a made locale), and a
// broken property reported as a crash, for libFuzzer to keep the input.

#include "FuzzChecks.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace wq::fuzz {

// Every folder path ends with "/".
inline QString &workFolder()
{
    static QString folder;
    return folder;
}

// `gui`: a QGuiApplication on the offscreen platform, for fonts and pictures.
inline void startQt(char *programName, bool gui)
{
    static int argc = 1;
    static char *argv[] = {programName, nullptr};
    if (gui) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);   // lives as long as the process
    } else {
        new QCoreApplication(argc, argv);
    }
    // In memory where possible. Removed again when libFuzzer ends the run.
    const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                             : QDir::tempPath();
    static QTemporaryDir dir(base + QStringLiteral("/wandquiz-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a work folder\n");
        std::exit(1);
    }
    workFolder() = dir.path() + u'/';
}

inline void report(const QString &problem)
{
    if (problem.isEmpty())
        return;
    std::fprintf(stderr, "\n==FINDING== %s\n", problem.toLocal8Bit().constData());
    std::abort();
}

} // namespace wq::fuzz

// A target's two entry points: Qt started once (`gui` as for startQt), then
// `check` (QByteArrayView -> problem text) on every input.
#define WANDQUIZ_FUZZ_TARGET(gui, check)                                                           \
    extern "C" int LLVMFuzzerInitialize(int *, char ***argv)                                       \
    {                                                                                               \
        wq::fuzz::startQt((*argv)[0], gui);                                                         \
        return 0;                                                                                   \
    }                                                                                               \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)                        \
    {                                                                                               \
        wq::fuzz::report(check(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)))); \
        return 0;                                                                                   \
    }
