#include "fw/handle_waiter.h"

#include <algorithm>

namespace gd {

HandleWaiter::~HandleWaiter() = default;

bool HandleWaiter::Add(HANDLE object, HWND window, UINT message, WPARAM wParam, bool once) {
    const Entry entry{object, window, message, wParam, once};
    for (const std::unique_ptr<Group>& group : groups_) {
        if (group->Add(entry)) {
            return true;
        }
    }
    auto group = std::make_unique<Group>();
    if (!group->Start() || !group->Add(entry)) {
        return false;
    }
    groups_.push_back(std::move(group));
    return true;
}

void HandleWaiter::Remove(HANDLE object) {
    for (const std::unique_ptr<Group>& group : groups_) {
        if (group->Remove(object)) {
            return;
        }
    }
}

HandleWaiter::Group::~Group() {
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

bool HandleWaiter::Group::Start() {
    changed_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    reread_.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!changed_ || !reread_) {
        return false;
    }
    thread_.reset(::CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
    return static_cast<bool>(thread_);
}

bool HandleWaiter::Group::Add(const Entry& entry) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (entries_.size() >= kObjectsPerThread) {
            return false;
        }
        entries_.push_back(entry);
    }
    Reread();
    return true;
}

bool HandleWaiter::Group::Remove(HANDLE object) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (std::erase_if(entries_,
                          [object](const Entry& entry) { return entry.object == object; }) == 0) {
            // A `once` object that fired is off the list already, and the
            // thread waits on it no longer.
            return false;
        }
    }
    Reread();
    return true;
}

void HandleWaiter::Group::Reread() {
    ::SetEvent(changed_.get());
    ::WaitForSingleObject(reread_.get(), INFINITE);
}

DWORD WINAPI HandleWaiter::Group::ThreadMain(void* self) {
    static_cast<Group*>(self)->Run();
    return 0;
}

void HandleWaiter::Group::Run() {
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
