// Owners for platform handles: each closes what it holds when replaced or destroyed.
// unique_any<Traits> is move-only; Traits names the handle type, its invalid value and how to close it.
#pragma once

#include <windows.h>

#include <utility>

namespace handles {

template <typename Traits>
class unique_any {
public:
    using pointer = typename Traits::pointer;

    unique_any() = default;
    explicit unique_any(pointer value) : value_(value) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    pointer get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::invalid(); }
    pointer release() { return std::exchange(value_, Traits::invalid()); }
    void reset(pointer value = Traits::invalid()) {
        const pointer old = std::exchange(value_, value);
        if (old != Traits::invalid()) Traits::close(old);
    }

private:
    pointer value_ = Traits::invalid();
};

// Kernel handles whose "none" is null (threads, processes, events).
struct HandleTraits {
    using pointer = HANDLE;
    static pointer invalid() { return nullptr; }
    static void close(pointer h) { ::CloseHandle(h); }
};
// Kernel handles whose "none" is INVALID_HANDLE_VALUE (files, Toolhelp snapshots).
struct FileHandleTraits {
    using pointer = HANDLE;
    static pointer invalid() { return INVALID_HANDLE_VALUE; }
    static void close(pointer h) { ::CloseHandle(h); }
};
struct MenuTraits {
    using pointer = HMENU;
    static pointer invalid() { return nullptr; }
    static void close(pointer h) { ::DestroyMenu(h); }
};
struct GlobalTraits {
    using pointer = HGLOBAL;
    static pointer invalid() { return nullptr; }
    static void close(pointer h) { ::GlobalFree(h); }
};
struct LocalTraits {
    using pointer = HLOCAL;
    static pointer invalid() { return nullptr; }
    static void close(pointer h) { ::LocalFree(h); }
};
struct GdiTraits {
    using pointer = HGDIOBJ;
    static pointer invalid() { return nullptr; }
    static void close(pointer h) { ::DeleteObject(h); }
};

using unique_handle = unique_any<HandleTraits>;
using unique_hfile = unique_any<FileHandleTraits>;
using unique_snapshot = unique_any<FileHandleTraits>;
using unique_hmenu = unique_any<MenuTraits>;
using unique_hglobal = unique_any<GlobalTraits>;
using unique_hlocal = unique_any<LocalTraits>;
using unique_gdiobj = unique_any<GdiTraits>;

// GlobalLock for the lifetime of the guard.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_) ::GlobalUnlock(memory_);
    }
    void* data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

// Runs a callable when the scope ends, unless dismissed.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() {
        if (active_) f_();
    }
    void dismiss() { active_ = false; }

private:
    F f_;
    bool active_ = true;
};
template <typename F>
ScopeExit<F> scopeExit(F f) {
    return ScopeExit<F>(std::move(f));
}

}  // namespace handles
