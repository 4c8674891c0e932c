// s/thread/ITask.h
//
// A unit of work that a worker thread runs (see s::thread::IThread). The worker does not own
// the task: its owner keeps it alive until the worker is idle again. run() is called on the
// worker's thread and does its own locking.
#pragma once

namespace s::thread {

class ITask {
public:
    virtual ~ITask() = default;
    virtual void run() = 0;
};

}  // namespace s::thread
