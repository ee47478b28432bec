#pragma once
// Turns a signalled kernel object (a process that ended, an event a registry
// notice set) into a message posted to a window, so that the decision is
// made on the window's thread.
//
// One thread of its own blocks until an object is signalled or the list
// changes. The system thread pool would do the same job, but its idle worker
// wakes every few seconds (seen under Wine), and a program resting in the
// tray should make no system call at all.
#include <windows.h>

#include <mutex>
#include <vector>

#include "fw/handle.h"

namespace gd {

class HandleWaiter {
  public:
    HandleWaiter() = default;
    HandleWaiter(const HandleWaiter&) = delete;
    HandleWaiter& operator=(const HandleWaiter&) = delete;
    ~HandleWaiter();

    // Posts `message` with `wParam` to `window` each time `object` is
    // signalled; with `once`, only the first time (for objects that stay
    // signalled, such as a process). The caller keeps `object` open until
    // it is removed. False when the object cannot be waited on here.
    bool Add(HANDLE object, HWND window, UINT message, WPARAM wParam, bool once);
    // Returns once the thread no longer waits on `object`: the caller may
    // close it then.
    void Remove(HANDLE object);

  private:
    struct Entry {
        HANDLE object;
        HWND window;
        UINT message;
        WPARAM wParam;
        bool once;
    };

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

}  // namespace gd
