// VARIANT results of accessibility calls: an owner that clears what it holds, and the four kinds a result is
// read as (empty, number, object, other).
#pragma once

#include <oleacc.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdint>

class Variant {
public:
    Variant() { VariantInit(&value_); }
    // VT_I4 holding `number`.
    explicit Variant(long number) : Variant() {
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    // VT_DISPATCH holding its own reference to `object`; VT_EMPTY for none.
    explicit Variant(IAccessible* object);
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
    Variant& operator=(Variant&& other) noexcept;
    ~Variant() { VariantClear(&value_); }

    const VARIANT& get() const { return value_; }
    // For a call that reads it first and may replace it (AccessibleChildren).
    VARIANT* inOut() { return &value_; }
    // For a call that fills it: clears what it held first.
    VARIANT* put() {
        VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

enum class VariantKind { Empty, Number, Object, Other };

// Empty (VT_EMPTY), number (any integer, real, currency or decimal type), object (VT_DISPATCH or
// VT_UNKNOWN) or other.
VariantKind kindOf(const VARIANT& value);
// A number result as a 32-bit integer, 0 for any other kind. Integer types keep their low 32 bits (state
// bits survive an unsigned type); reals, currency and decimals are truncated toward zero (truncate.h).
std::int32_t numberOf(const VARIANT& value);
// The IAccessible of an object result; none for any other kind or an object without IAccessible.
Microsoft::WRL::ComPtr<IAccessible> objectOf(const VARIANT& value);
