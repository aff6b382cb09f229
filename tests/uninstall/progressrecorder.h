#ifndef PROGRESSRECORDER_H
#define PROGRESSRECORDER_H

#include <QList>
#include <QObject>
#include <QStringList>

class QThread;

// Stands where the progress page stands: records each progress report and the end
// of the worker, in the order they arrive, and the thread each arrived on.
class ProgressRecorder : public QObject
{
    Q_OBJECT

public:
    explicit ProgressRecorder(QObject *parent = nullptr);

    // "<percent> <text>" per report, "finished" for the end of the worker.
    QStringList events() const { return m_events; }
    QList<QThread *> threads() const { return m_threads; }
    bool isFinished() const { return m_events.contains(QStringLiteral("finished")); }

    // The events of one run that removed everything, with untranslated texts.
    static QStringList completeRun();
    // The same for a run that left something of the product behind.
    static QStringList incompleteRun();

public slots:
    void onProcessInfo(int iProcess, const QString &strProcessName);
    void onFinished();

private:
    QStringList m_events;
    QList<QThread *> m_threads;
};

#endif
