#pragma once
// Turns a signalled kernel object (a process that ended, an event a registry
// notice set) into a message posted to a window, so that the decision is
// made on the window's thread.
//
// Threads of its own block until an object is signalled or their list
// changes. The system thread pool would do the same job, but its idle worker
// wakes every few seconds (seen under Wine), and a program resting in the
// tray should make no system call at all. One wait takes at most
// MAXIMUM_WAIT_OBJECTS handles, so each thread takes that many less its own
// event, and another thread starts when they are all taken: a user who runs
// a hundred copies of a game still has every one watched.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "fw/handle.h"

namespace gd {

class HandleWaiter {
  public:
    // The objects one thread waits on besides its own event.
    static constexpr std::size_t kObjectsPerThread = MAXIMUM_WAIT_OBJECTS - 1;

    HandleWaiter() = default;
    HandleWaiter(const HandleWaiter&) = delete;
    HandleWaiter& operator=(const HandleWaiter&) = delete;
    ~HandleWaiter();

    // Posts `message` with `wParam` to `window` each time `object` is
    // signalled; with `once`, only the first time (for objects that stay
    // signalled, such as a process). The caller keeps `object` open until
    // it is removed. False only when the system gives no thread or event.
    bool Add(HANDLE object, HWND window, UINT message, WPARAM wParam, bool once);
    // Returns once no thread waits on `object`: the caller may close it then.
    void Remove(HANDLE object);

  private:
    struct Entry {
        HANDLE object;
        HWND window;
        UINT message;
        WPARAM wParam;
        bool once;
    };

    // One thread and the objects it waits on.
    class Group {
      public:
        Group() = default;
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;
        ~Group();

        bool Start();
        // False when the group is full.
        bool Add(const Entry& entry);
        // False when the group did not hold the object.
        bool Remove(HANDLE object);

      private:
        static DWORD WINAPI ThreadMain(void* self);
        void Run();
        // Wakes the thread to read the list again and waits until it has.
        void Reread();

        std::mutex mutex_;
        std::vector<Entry> entries_;
        bool stopping_ = false;
        UniqueKernel changed_;  // set by the owner: the list changed
        UniqueKernel reread_;   // set by the thread: it took the new list
        UniqueKernel thread_;
    };

    // Only the owner's thread adds and removes: the list of groups needs no lock.
    std::vector<std::unique_ptr<Group>> groups_;
};

}  // namespace gd
