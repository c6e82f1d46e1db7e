// The priority of a worker thread, as a nice value of that thread alone: low is ten steps
// nicer than the process, normal is the process's own, high five steps less nice.
#pragma once

#include <cstdint>

namespace ordonna {

enum class ThreadPriorityLevel { Low, Normal, High };

// The ThreadPriority option: 0 low, 2 high, any other value normal.
ThreadPriorityLevel ThreadPriorityOf(std::uint8_t option);

// Sets the calling thread's priority and returns the level in force: when the system refuses
// a high priority (it needs a privilege), the thread runs at normal priority.
ThreadPriorityLevel SetCurrentThreadPriority(ThreadPriorityLevel level);

// The calling thread's nice value.
int CurrentThreadNice();

}  // namespace ordonna
