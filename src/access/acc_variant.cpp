#include "access/acc_variant.h"

#include "access/truncate.h"

Variant::Variant(IAccessible* object) : Variant() {
    if (!object) return;
    object->AddRef();
    value_.vt = VT_DISPATCH;
    value_.pdispVal = object;
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        VariantInit(&other.value_);
    }
    return *this;
}

VariantKind kindOf(const VARIANT& value) {
    switch (value.vt) {
        case VT_EMPTY:
            return VariantKind::Empty;
        case VT_I1:
        case VT_UI1:
        case VT_I2:
        case VT_UI2:
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_I8:
        case VT_UI8:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DECIMAL:
            return VariantKind::Number;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return VariantKind::Object;
        default:
            return VariantKind::Other;
    }
}

std::int32_t numberOf(const VARIANT& value) {
    // The low 32 bits of an integer, without the undefined narrowing of a signed conversion.
    auto low32 = [](std::uint64_t bits) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
    };
    switch (value.vt) {
        case VT_I1:
            return value.cVal;
        case VT_UI1:
            return value.bVal;
        case VT_I2:
            return value.iVal;
        case VT_UI2:
            return value.uiVal;
        case VT_I4:
            return value.lVal;
        case VT_INT:
            return value.intVal;
        case VT_UI4:
            return low32(value.ulVal);
        case VT_UINT:
            return low32(value.uintVal);
        case VT_I8:
            return low32(static_cast<std::uint64_t>(value.llVal));
        case VT_UI8:
            return low32(value.ullVal);
        case VT_R4:
            return truncateToInt32(value.fltVal);
        case VT_R8:
            return truncateToInt32(value.dblVal);
        case VT_CY:
        case VT_DECIMAL: {
            VARIANT real;
            VariantInit(&real);
            // VariantChangeType only reads its source, whatever its signature says.
            if (FAILED(VariantChangeType(&real, const_cast<VARIANT*>(&value), 0, VT_R8))) return 0;
            return truncateToInt32(real.dblVal);
        }
        default:
            return 0;
    }
}

Microsoft::WRL::ComPtr<IAccessible> objectOf(const VARIANT& value) {
    Microsoft::WRL::ComPtr<IAccessible> object;
    IUnknown* unknown = value.vt == VT_DISPATCH  ? value.pdispVal
                        : value.vt == VT_UNKNOWN ? value.punkVal
                                                 : nullptr;
    if (unknown)
        unknown->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(object.GetAddressOf()));
    return object;
}
