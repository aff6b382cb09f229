// Times the uninstaller's removal of the installation directory, through the
// real procedure, against rm -rf on an identical tree, and how that time grows
// with the number of files.
//
//   bench-removal compare --files N --directories D --large-files L --large-size BYTES --runs R --work DIR
//   bench-removal scale --sizes N1,N2,... --runs R --work DIR
//
// Standard output gets one "figure key=value ..." line per figure, holding the
// medians; standard error gets every single run.

#include "benchproduct.h"
#include "sample.h"
#include "treebuilder.h"

#include "uninstall/installprocessmgr.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

using appinstaller::InstallProcessMgr;
using bench::BenchProduct;
using bench::Sample;
using bench::TreeBuilder;

namespace {

// Small files per directory in the scaling trees, so that only the count grows.
constexpr int kFilesPerDirectory = 50;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &log()
{
    static QTextStream stream(stderr);
    return stream;
}

double userMs(const rusage &usage)
{
    return static_cast<double>(usage.ru_utime.tv_sec) * 1e3 + static_cast<double>(usage.ru_utime.tv_usec) / 1e3;
}

double cpuMs(const rusage &usage)
{
    return userMs(usage) + static_cast<double>(usage.ru_stime.tv_sec) * 1e3
           + static_cast<double>(usage.ru_stime.tv_usec) / 1e3;
}

rusage threadUsage()
{
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return usage;
}

// Wall-clock time and the processor time spent on it, all of it and the part in
// user space. On a machine shared with other work the processor time is the
// steadier figure; the user-space part is what a remover adds to the kernel's
// own work of unlinking, which is the same for every remover.
struct Timing
{
    double wallMs = 0.0;
    double cpuMs = 0.0;
    double userMs = 0.0;
};

// The time the procedure spends between its first two progress reports, which
// is exactly the removal of the installation directory, guard checks included.
bool removeWithProcedure(const QString &tree, Timing *timing, QString *error)
{
    if (!BenchProduct::install(tree, error))
        return false;
    InstallProcessMgr *procedure = InstallProcessMgr::instance();
    QElapsedTimer clock;
    qint64 began = -1;
    qint64 removed = -1;
    rusage usageBegan{};
    rusage usageRemoved{};
    const QMetaObject::Connection reports = QObject::connect(
        procedure, &InstallProcessMgr::signalProcess, procedure,
        [&](int percent, const QString &) {
            if (percent == 0) {
                began = clock.nsecsElapsed();
                usageBegan = threadUsage();
            } else if (percent == 30) {
                removed = clock.nsecsElapsed();
                usageRemoved = threadUsage();
            }
        },
        Qt::DirectConnection);
    clock.start();
    procedure->uninstall();
    QObject::disconnect(reports);
    if (QFileInfo::exists(tree) || began < 0 || removed < 0) {
        *error = QStringLiteral("the procedure left %1 in place").arg(tree);
        return false;
    }
    timing->wallMs = static_cast<double>(removed - began) / 1e6;
    timing->cpuMs = cpuMs(usageRemoved) - cpuMs(usageBegan);
    timing->userMs = userMs(usageRemoved) - userMs(usageBegan);
    return true;
}

bool removeWithRm(const QString &tree, Timing *timing, QString *error)
{
    const QByteArray path = QFile::encodeName(tree);
    char program[] = "rm";
    char options[] = "-rf";
    char endOfOptions[] = "--";
    char *arguments[] = {program, options, endOfOptions, const_cast<char *>(path.constData()), nullptr};
    QElapsedTimer clock;
    clock.start();
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    const bool ran = ::posix_spawnp(&child, "rm", nullptr, nullptr, arguments, environ) == 0
                     && ::wait4(child, &status, 0, &usage) == child;
    timing->wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    timing->cpuMs = cpuMs(usage);
    timing->userMs = userMs(usage);
    if (!ran || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || QFileInfo::exists(tree)) {
        *error = QStringLiteral("rm -rf failed on %1").arg(tree);
        return false;
    }
    return true;
}

// One run: each remover gets a tree of the same shape, created right before its
// removal. The trees stay in the page cache, as written: had they been flushed,
// both removers would wait alike for the disk (which here is shared and slow to
// free blocks), and that common share would only hide the cost of our own code.
// The order alternates between runs so that neither always runs on the caches
// the other has warmed.
bool measurePair(const TreeBuilder &shape, const QString &work, int run, Timing *ours, Timing *rm, QString *error)
{
    const QString oursTree = work + QStringLiteral("/ours-%1").arg(run);
    const QString rmTree = work + QStringLiteral("/rm-%1").arg(run);
    const auto measureOurs = [&]() {
        return shape.create(oursTree, error) && removeWithProcedure(oursTree, ours, error);
    };
    const auto measureRm = [&]() { return shape.create(rmTree, error) && removeWithRm(rmTree, rm, error); };
    if (run % 2 == 0)
        return measureOurs() && measureRm();
    return measureRm() && measureOurs();
}

struct Samples
{
    Sample oursWall;
    Sample oursCpu;
    Sample oursUser;
    Sample rmWall;
    Sample rmCpu;
    Sample rmUser;
};

bool measure(const TreeBuilder &shape, const QString &work, int runs, Samples *samples, QString *error)
{
    for (int run = 0; run < runs; ++run) {
        Timing ours;
        Timing rm;
        if (!measurePair(shape, work, run, &ours, &rm, error))
            return false;
        samples->oursWall.add(ours.wallMs);
        samples->oursCpu.add(ours.cpuMs);
        samples->oursUser.add(ours.userMs);
        samples->rmWall.add(rm.wallMs);
        samples->rmCpu.add(rm.cpuMs);
        samples->rmUser.add(rm.userMs);
        log() << "  files " << shape.fileCount() << " run " << run + 1 << ": procedure " << ours.wallMs << " ms (cpu "
              << ours.cpuMs << ", user " << ours.userMs << "), rm -rf " << rm.wallMs << " ms (cpu " << rm.cpuMs
              << ", user " << rm.userMs << ")" << Qt::endl;
    }
    return true;
}

QString mediansOf(const Samples &samples)
{
    return QStringLiteral("ours_ms=%1 rm_ms=%2 ours_cpu_ms=%3 rm_cpu_ms=%4 ours_user_ms=%5 rm_user_ms=%6")
        .arg(samples.oursWall.median())
        .arg(samples.rmWall.median())
        .arg(samples.oursCpu.median())
        .arg(samples.rmCpu.median())
        .arg(samples.oursUser.median())
        .arg(samples.rmUser.median());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("mode"), QStringLiteral("compare or scale"));
    const QCommandLineOption files(QStringLiteral("files"), QStringLiteral("Small files."), QStringLiteral("n"), QStringLiteral("20000"));
    const QCommandLineOption directories(QStringLiteral("directories"), QStringLiteral("Directories."), QStringLiteral("n"), QStringLiteral("400"));
    const QCommandLineOption largeFiles(QStringLiteral("large-files"), QStringLiteral("Large files."), QStringLiteral("n"), QStringLiteral("50"));
    const QCommandLineOption largeSize(QStringLiteral("large-size"), QStringLiteral("Bytes per large file."), QStringLiteral("bytes"), QStringLiteral("1048576"));
    const QCommandLineOption sizes(QStringLiteral("sizes"), QStringLiteral("File counts to scale over."), QStringLiteral("list"), QStringLiteral("1000,10000,100000"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Runs per figure."), QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption work(QStringLiteral("work"), QStringLiteral("Directory for the trees."), QStringLiteral("dir"));
    parser.addOptions({files, directories, largeFiles, largeSize, sizes, runs, work});
    parser.addHelpOption();
    parser.process(app);

    QString error;
    const QString workDir = QFileInfo(parser.value(work)).absoluteFilePath();
    if (!BenchProduct::prepare(&error) || !BenchProduct::isInSandbox(workDir) || !QFileInfo(workDir).isDir()) {
        log() << "bench-removal: " << (error.isEmpty() ? QStringLiteral("--work must be a directory in the sandbox") : error)
              << Qt::endl;
        return 2;
    }
    const int runCount = std::max(1, parser.value(runs).toInt());
    const QString mode = parser.positionalArguments().value(0);

    if (mode == QLatin1String("compare")) {
        TreeBuilder shape(parser.value(files).toInt(), parser.value(directories).toInt());
        shape.setLargeFiles(parser.value(largeFiles).toInt(), parser.value(largeSize).toLongLong());
        Samples samples;
        if (!measure(shape, workDir, runCount, &samples, &error)) {
            log() << "bench-removal: " << error << Qt::endl;
            return 1;
        }
        out() << "removal files=" << shape.fileCount() << " entries=" << shape.entryCount() << ' '
              << mediansOf(samples) << Qt::endl;
        return 0;
    }

    if (mode == QLatin1String("scale")) {
        const QStringList counts = parser.value(sizes).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &count : counts) {
            const int fileCount = count.toInt();
            const TreeBuilder shape(fileCount, std::max(1, fileCount / kFilesPerDirectory));
            Samples samples;
            if (!measure(shape, workDir, runCount, &samples, &error)) {
                log() << "bench-removal: " << error << Qt::endl;
                return 1;
            }
            out() << "scale files=" << fileCount << ' ' << mediansOf(samples) << Qt::endl;
        }
        return 0;
    }

    log() << "bench-removal: the mode is compare or scale" << Qt::endl;
    return 2;
}
