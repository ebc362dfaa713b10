#pragma once
// Imports logs into the match history on a worker thread of its own, so
// that the windows go on (a log may load or be counted meanwhile). Progress
// goes to `progress()`: one stage per log, its position the matches stored
// of the log's count. Cancel stops after the batch in progress; what was
// stored stays, and the next import of that log completes it.
//
// Interface thread only (the job itself runs on the worker).

#include "core/common/progress.h"

#include <QObject>
#include <QStringList>

#include <string>
#include <vector>

namespace quorvath {

class BackgroundWork;

class HistoryImporter : public QObject {
    Q_OBJECT
public:
    explicit HistoryImporter(QObject* parent = nullptr);
    ~HistoryImporter() override; // cancels and waits for the batch in progress

    // Imports `logs` into the history at `database`; false (and nothing
    // starts) while an import runs.
    bool start(const std::string& database, const std::vector<std::string>& logs);
    void cancel() { progress_.requestStop(); }
    bool running() const;
    const Progress& progress() const { return progress_; }

signals:
    // The import ended: the status to show, and each log's or the history's
    // problem (naming the file and what went wrong).
    void finished(const QString& status, const QStringList& problems);

private:
    void jobEnded(const QString& error);

    BackgroundWork* worker_;
    Progress progress_;
    // Written by the worker, read once it has ended.
    int added_ = 0;
    int logsRead_ = 0;
    bool cancelled_ = false;
    QStringList problems_;
};

} // namespace quorvath
