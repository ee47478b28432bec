#include "fw/handle_waiter.h"

#include <algorithm>

namespace gd {

HandleWaiter::~HandleWaiter() {
    if (!thread_) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    ::SetEvent(changed_.get());
    ::WaitForSingleObject(thread_.get(), INFINITE);
}

bool HandleWaiter::Add(HANDLE object, HWND window, UINT message, WPARAM wParam, bool once) {
    if (!thread_) {
        changed_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        reread_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        if (!changed_ || !reread_) {
            return false;
        }
        thread_.reset(::CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
        if (!thread_) {
            return false;
        }
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // The thread's own event takes one of the wait's places.
        if (entries_.size() + 1 >= MAXIMUM_WAIT_OBJECTS) {
            return false;
        }
        entries_.push_back({object, window, message, wParam, once});
    }
    Reread();
    return true;
}

void HandleWaiter::Remove(HANDLE object) {
    if (!thread_) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::erase_if(entries_, [object](const Entry& entry) { return entry.object == object; });
    }
    Reread();
}

void HandleWaiter::Reread() {
    ::SetEvent(changed_.get());
    ::WaitForSingleObject(reread_.get(), INFINITE);
}

DWORD WINAPI HandleWaiter::ThreadMain(void* self) {
    static_cast<HandleWaiter*>(self)->Run();
    return 0;
}

void HandleWaiter::Run() {
    std::vector<Entry> taken;
    std::vector<HANDLE> objects;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopping_) {
                return;
            }
            taken = entries_;
        }
        objects.assign(1, changed_.get());
        for (const Entry& entry : taken) {
            objects.push_back(entry.object);
        }
        const DWORD result = ::WaitForMultipleObjects(static_cast<DWORD>(objects.size()),
                                                      objects.data(), FALSE, INFINITE);
        const DWORD index = result - WAIT_OBJECT_0;
        if (index == 0) {
            ::SetEvent(reread_.get());
            continue;
        }
        if (index >= objects.size()) {
            // A handle closed under the wait: the owner broke its promise;
            // stop rather than spin on it.
            return;
        }
        const Entry& signalled = taken[index - 1];
        if (signalled.once) {
            std::lock_guard<std::mutex> lock(mutex_);
            std::erase_if(entries_,
                          [&](const Entry& entry) { return entry.object == signalled.object; });
        }
        ::PostMessageA(signalled.window, signalled.message, signalled.wParam, 0);
    }
}

}  // namespace gd
