// Helpers shared by the tests of the accessibility layer.
#pragma once

#include <oleacc.h>
#include <windows.h>

#include <string>

#include "util/gbk_text.h"

namespace access_test {

// The platform's texts, read here with a plain buffer, to compare the element's own reads against.
inline Text platformStateText(DWORD bit) {
    char buffer[256] = {};
    GetStateTextA(bit, buffer, sizeof buffer);
    return buffer;
}
inline Text platformRoleText(DWORD role) {
    char buffer[256] = {};
    GetRoleTextA(role, buffer, sizeof buffer);
    return buffer;
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
