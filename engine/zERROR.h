// The message reporter: the one channel for messages, warnings and errors of the
// engine and the toolchains, into the host's output pane.
#pragma once

#include <atomic>
#include <functional>

#include "zSTRING.h"

// Levels of Report.
enum zTErrorLevel { zERR_MESSAGE = 1, zERR_WARNING = 2, zERR_ERROR = 3, zERR_FATAL = 4 };

// Thrown by the default fatal handler: a fatal message unwinds the job to its
// worker's entry (zRunJobGuarded), so open files and buffers are released on
// the way instead of being abandoned with the thread.
struct zTFatalAbort {
};

// Thrown by the stop poll after Build/Stop Build: the job unwinds the same way
// and its worker's entry returns 0.
struct zTBuildStopped {
};

class zERROR {
public:
    using zTFatalHandler = void (*)();

    zERROR();
    virtual ~zERROR() = default;

    // file may be null; line -1 when the message has no source position.
    void Report(int level, zSTRING text, const char* file = nullptr, int line = -1);
    void Message(zSTRING text) { Report(zERR_MESSAGE, std::move(text)); }
    void Warning(zSTRING text) { Report(zERR_WARNING, std::move(text)); }
    void Error(zSTRING text) { Report(zERR_ERROR, std::move(text)); }
    void Fatal(zSTRING text) { Report(zERR_FATAL, std::move(text)); }

    int GetFilterLevel() const { return filterLevel; }
    void SetFilterLevel(int level) { filterLevel = level; }
    // Reports of level 3 and 4 since the program started: an entry compares the count
    // before and after a step to learn whether the step failed.
    int GetErrorCount() const { return errorCount; }
    zTFatalHandler GetFatalHandler() const { return fatalHandler; }
    void SetFatalHandler(zTFatalHandler handler) { fatalHandler = handler; }

    // Clears the host's run marker and throws zTFatalAbort.
    [[noreturn]] static void DefaultFatalHandler();

private:
    zTFatalHandler fatalHandler;
    int filterLevel;
    std::atomic<int> errorCount{0};  // the cache-in worker reports too
};

extern zERROR g_errorReporter;

// The filter level from the host's LevelMessage (unchanged without a host).
void SetFilterFromSettings();

// Runs a job as a worker thread's body: a fatal message ends it with -1, after
// the stack has unwound; so does any other exception, reported as a fatal message
// first. A stop request ends it with 0. Otherwise the job's own result. Every
// entry into the engine runs in one.
int zRunJobGuarded(const std::function<int()>& job);
