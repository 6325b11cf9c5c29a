// Helpers shared by the tests of the accessibility layer.
#pragma once

#include <oleacc.h>
#include <windows.h>

#include <string>

#include "util/codepage.h"
#include "util/gbk_text.h"

namespace access_test {

// The platform's texts, read here with a plain buffer, to compare the element's own reads against.
inline Text platformStateText(DWORD bit) {
    wchar_t buffer[256] = {};
    const UINT length = GetStateTextW(bit, buffer, 256);
    return fromWide(buffer, length < 256 ? length : 0);
}
inline Text platformRoleText(DWORD role) {
    wchar_t buffer[256] = {};
    const UINT length = GetRoleTextW(role, buffer, 256);
    return fromWide(buffer, length < 256 ? length : 0);
}

inline VARIANT numberVariant(long number) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = number;
    return v;
}

// A VARIANT holding its own reference to `object`.
inline VARIANT objectVariant(IAccessible* object) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    object->AddRef();
    return v;
}

}  // namespace access_test
