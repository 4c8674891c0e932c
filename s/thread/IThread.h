// s/thread/IThread.h
//
// A reusable worker thread that runs one scheduled task once, n times or until stopped:
// back to back, sleeping an interval after each run, or on a fixed period. Schedules return
// false, and change nothing, when the worker has no system thread or is quitting. Waits
// poll with sleeps. None of the operations may be called from the worker's own task: a
// wait would wait for itself and a suspend would stop it under its own lock.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/ITask.h"

namespace s::thread {

class IThread : public s::base::IObject {
public:
    using Function = void (*)();

    virtual uint32_t threadId() const = 0;

    // Schedules replace what was scheduled before, without waiting for it; n -1 is without
    // end, below -1 is refused (false). A new schedule clears a pending delay.
    virtual bool runOnce(ITask* task) = 0;
    virtual bool runTimes(ITask* task, int32_t n) = 0;
    virtual bool runTimesSleeping(ITask* task, int32_t n, uint32_t intervalMs) = 0;
    virtual bool runTimesPeriodic(ITask* task, int32_t n, uint32_t periodMs) = 0;
    virtual bool runForever(ITask* task) = 0;
    virtual bool runForeverSleeping(ITask* task, uint32_t intervalMs) = 0;
    virtual bool runForeverPeriodic(ITask* task, uint32_t periodMs) = 0;

    virtual bool isIdle() const = 0;
    virtual void waitIdle() = 0;
    // Waits up to ms for idle, else terminates the thread (abandoning its task) and starts a
    // fresh one with the same priority. True when the worker became idle without that.
    virtual bool waitOrTerminate(int32_t ms) = 0;
    virtual void stop() = 0;  // the current run completes, no further run starts
    virtual void stopAndWaitIdle() = 0;
    virtual void waitEnded() = 0;
    virtual void requestQuit() = 0;  // the current run completes, then the thread ends
    virtual void quitAndWait() = 0;
    virtual void setDelay(uint32_t ms) = 0;  // a one-time sleep before the next run
    virtual bool resume() = 0;  // false when there is no thread or the system refused
    virtual void suspend() = 0;
    virtual int32_t getPriority() = 0;
    virtual void setPriority(int32_t priority) = 0;
    virtual void setFunction(Function function) = 0;  // what the worker's own run() calls
};

}  // namespace s::thread
