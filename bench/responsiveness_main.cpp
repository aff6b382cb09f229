// How long the user-interface thread goes without serving its event loop while
// the real window removes a large tree on its worker thread: the longest gap
// between ticks of a 10-ms timer, from the start of the removal to the worker's
// end. The same window then sits idle for as long, which gives the gaps the
// machine itself causes.
//
//   bench-responsiveness --files N --runs R --work DIR
//
// Standard output gets one "responsiveness key=value ..." line with the medians.

#include "benchproduct.h"
#include "sample.h"
#include "tickwatch.h"
#include "treebuilder.h"

#include "app/application.h"
#include "initresource.h"
#include "ui/mainwindow.h"
#include "uninstall/uninstallthread.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

#include <sys/resource.h>

using appinstaller::Application;
using appinstaller::MainWindow;
using appinstaller::UnInstallThread;
using bench::BenchProduct;
using bench::Sample;
using bench::TickWatch;
using bench::TreeBuilder;

namespace {

constexpr int kFilesPerDirectory = 50;
// Lets the window map and paint before anything is timed.
constexpr int kSettleMs = 300;

QTextStream &log()
{
    static QTextStream stream(stderr);
    return stream;
}

// Processor time of the calling thread: what the user-interface thread itself
// spends, apart from the time it waits for a processor.
double threadCpuMs()
{
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void spinEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

struct RunResult
{
    double busyGapMs = 0.0;
    double busyGapEndMs = 0.0;
    double idleGapMs = 0.0;
    double removalMs = 0.0;
    double guiCpuMs = 0.0;
};

bool measureRun(const TreeBuilder &shape, const QString &tree, RunResult *result, QString *error)
{
    if (!shape.create(tree, error) || !BenchProduct::install(tree, error))
        return false;

    MainWindow window(nullptr);
    window.show();
    spinEventLoop(kSettleMs);

    TickWatch busy;
    QElapsedTimer clock;
    const double cpuBefore = threadCpuMs();
    busy.start();
    clock.start();
    window.onUninstall();
    auto *worker = window.findChild<UnInstallThread *>();
    if (!worker) {
        *error = QStringLiteral("the window started no worker");
        return false;
    }
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    if (!worker->isFinished())
        loop.exec();
    result->removalMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    busy.stop();
    result->guiCpuMs = threadCpuMs() - cpuBefore;
    result->busyGapMs = busy.longestGapMs();
    result->busyGapEndMs = busy.longestGapEndMs();

    TickWatch idle;
    idle.start();
    spinEventLoop(static_cast<int>(result->removalMs) + 1);
    idle.stop();
    result->idleGapMs = idle.longestGapMs();

    if (QFileInfo::exists(tree)) {
        *error = QStringLiteral("the procedure left %1 in place").arg(tree);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption files(QStringLiteral("files"), QStringLiteral("Files to remove."), QStringLiteral("n"), QStringLiteral("100000"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Runs."), QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption work(QStringLiteral("work"), QStringLiteral("Directory for the trees."), QStringLiteral("dir"));
    parser.addOptions({files, runs, work});
    parser.addHelpOption();
    parser.process(app);

    QString error;
    const QString workDir = QFileInfo(parser.value(work)).absoluteFilePath();
    if (!BenchProduct::prepare(&error) || !BenchProduct::isInSandbox(workDir) || !QFileInfo(workDir).isDir()) {
        log() << "bench-responsiveness: "
              << (error.isEmpty() ? QStringLiteral("--work must be a directory in the sandbox") : error) << Qt::endl;
        return 2;
    }

    // The window's look, as the program itself sets it up.
    QString styleSheet;
    VexiloControl::InitResource(QCoreApplication::applicationDirPath() + QStringLiteral("/rcc/guiresource.rcc"),
                                styleSheet, false);
    app.setStyleSheet(styleSheet);

    const int fileCount = std::max(1, parser.value(files).toInt());
    const TreeBuilder shape(fileCount, std::max(1, fileCount / kFilesPerDirectory));
    Sample busy;
    Sample idle;
    Sample removal;
    Sample guiCpu;
    const int runCount = std::max(1, parser.value(runs).toInt());
    for (int run = 0; run < runCount; ++run) {
        RunResult result;
        if (!measureRun(shape, workDir + QStringLiteral("/tree-%1").arg(run), &result, &error)) {
            log() << "bench-responsiveness: " << error << Qt::endl;
            return 1;
        }
        busy.add(result.busyGapMs);
        idle.add(result.idleGapMs);
        removal.add(result.removalMs);
        guiCpu.add(result.guiCpuMs);
        log() << "  run " << run + 1 << ": removal " << result.removalMs << " ms, longest gap " << result.busyGapMs
              << " ms ending at " << result.busyGapEndMs << " ms, user-interface thread busy " << result.guiCpuMs
              << " ms (idle: longest gap " << result.idleGapMs << " ms)" << Qt::endl;
    }
    QTextStream(stdout) << "responsiveness files=" << fileCount << " busy_gap_ms=" << busy.median()
                        << " idle_gap_ms=" << idle.median() << " removal_ms=" << removal.median() << " gui_cpu_ms=" << guiCpu.median() << Qt::endl;
    return 0;
}
