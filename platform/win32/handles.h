// Owners of the Win32 handles the adapters use. Each owner knows its own empty value, so a failed open
// and a closed handle look the same and nothing is closed twice.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace sx::win32 {

// One owner template; a traits type names the handle type, its empty values and how to close it.
template <typename Traits>
class UniqueResource {
public:
    using Type = typename Traits::Type;

    UniqueResource() = default;
    explicit UniqueResource(Type value) : value_(value) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueResource() { reset(); }

    Type get() const { return value_; }
    explicit operator bool() const { return !Traits::is_empty(value_); }

    // Closes the current value and holds `value` instead.
    void reset(Type value = Traits::empty()) {
        if (!Traits::is_empty(value_)) Traits::close(value_);
        value_ = value;
    }
    Type release() { return std::exchange(value_, Traits::empty()); }

    // For functions that hand out a new handle through a pointer: the old one is closed first.
    Type* put() {
        reset();
        return &value_;
    }

private:
    Type value_ = Traits::empty();
};

struct HkeyTraits {
    using Type = HKEY;
    static Type empty() { return nullptr; }
    static bool is_empty(Type v) { return v == nullptr; }
    static void close(Type v) { RegCloseKey(v); }
};

// CreateFileA reports failure with INVALID_HANDLE_VALUE, most other calls with null.
struct HandleTraits {
    using Type = HANDLE;
    static Type empty() { return nullptr; }
    static bool is_empty(Type v) { return v == nullptr || v == INVALID_HANDLE_VALUE; }
    static void close(Type v) { CloseHandle(v); }
};

struct FindTraits {
    using Type = HANDLE;
    static Type empty() { return INVALID_HANDLE_VALUE; }
    static bool is_empty(Type v) { return v == nullptr || v == INVALID_HANDLE_VALUE; }
    static void close(Type v) { FindClose(v); }
};

struct ModuleTraits {
    using Type = HMODULE;
    static Type empty() { return nullptr; }
    static bool is_empty(Type v) { return v == nullptr; }
    static void close(Type v) { FreeLibrary(v); }
};

struct ServiceTraits {
    using Type = SC_HANDLE;
    static Type empty() { return nullptr; }
    static bool is_empty(Type v) { return v == nullptr; }
    static void close(Type v) { CloseServiceHandle(v); }
};

using UniqueHkey = UniqueResource<HkeyTraits>;
using UniqueService = UniqueResource<ServiceTraits>;
using UniqueHandle = UniqueResource<HandleTraits>;
using UniqueFind = UniqueResource<FindTraits>;
using UniqueModule = UniqueResource<ModuleTraits>;

// A COM interface pointer that releases itself.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    void reset() {
        if (ptr_) std::exchange(ptr_, nullptr)->Release();
    }
    // For calls that hand out an interface: the old pointer is released first.
    T** put() {
        reset();
        return &ptr_;
    }
    // For CoCreateInstance and QueryInterface: the old pointer is released first.
    void** put_void() {
        reset();
        return reinterpret_cast<void**>(&ptr_);
    }

    // Another interface of the same object; empty when the object does not offer it.
    template <typename U>
    ComPtr<U> query(REFIID iid) const {
        ComPtr<U> other;
        if (ptr_) ptr_->QueryInterface(iid, other.put_void());
        return other;
    }

private:
    T* ptr_ = nullptr;
};

// COM for the lifetime of the guard (apartment-threaded, as the window thread needs it).
class CoInit {
public:
    CoInit() : result_(CoInitialize(nullptr)) {}
    CoInit(const CoInit&) = delete;
    CoInit& operator=(const CoInit&) = delete;
    ~CoInit() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    bool ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

}  // namespace sx::win32
