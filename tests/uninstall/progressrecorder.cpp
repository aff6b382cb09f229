#include "progressrecorder.h"

#include <QThread>

ProgressRecorder::ProgressRecorder(QObject *parent)
    : QObject(parent)
{
}

QStringList ProgressRecorder::completeRun()
{
    return {QStringLiteral("0 BeganToUnloadWkJrSaJaAq"), QStringLiteral("30 DeleteShortcutULXVgdVTs"),
            QStringLiteral("60 ClearTheRegistryeuyqTkYHjj"), QStringLiteral("100 Uninstalled")};
}

QStringList ProgressRecorder::incompleteRun()
{
    QStringList events = completeRun();
    events.last() = QStringLiteral("100 UninstallIncompleteHvRqYwNd");
    return events;
}

void ProgressRecorder::onProcessInfo(int iProcess, const QString &strProcessName)
{
    m_events.append(QStringLiteral("%1 %2").arg(iProcess).arg(strProcessName));
    m_threads.append(QThread::currentThread());
}

void ProgressRecorder::onFinished()
{
    m_events.append(QStringLiteral("finished"));
    m_threads.append(QThread::currentThread());
}
