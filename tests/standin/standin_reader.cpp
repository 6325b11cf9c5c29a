#include "standin_reader.h"

namespace standin {

const std::vector<long> kAccountPath = {1, 2, 1, 1};
const std::vector<long> kChatPath = {1, 2, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

namespace {

VARIANT childVariant(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

long numberOf(HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, VARIANT*), const Element& element) {
    VARIANT out;
    VariantInit(&out);
    ((*element.object.Get()).*read)(childVariant(element.childId), &out);
    const long number = out.vt == VT_I4 ? out.lVal : -1;
    VariantClear(&out);
    return number;
}

}  // namespace

Microsoft::WRL::ComPtr<IAccessible> windowObject(HWND window) {
    Microsoft::WRL::ComPtr<IAccessible> object;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IAccessible),
                               reinterpret_cast<void**>(object.GetAddressOf()));
    return object;
}

std::optional<Element> childAt(const Element& parent, long index) {
    if (parent.childId != 0 || !parent.object) return std::nullopt;
    VARIANT v;
    VariantInit(&v);
    LONG got = 0;
    if (AccessibleChildren(parent.object.Get(), index - 1, 1, &v, &got) != S_OK || got != 1)
        return std::nullopt;
    Element child;
    if (v.vt == VT_DISPATCH && v.pdispVal) {
        v.pdispVal->QueryInterface(__uuidof(IAccessible),
                                   reinterpret_cast<void**>(child.object.GetAddressOf()));
    } else if (v.vt == VT_I4) {
        Microsoft::WRL::ComPtr<IDispatch> full;
        if (parent.object->get_accChild(v, full.GetAddressOf()) == S_OK && full) {
            full.As(&child.object);
        } else {
            child = {parent.object, v.lVal};
        }
    }
    VariantClear(&v);
    if (!child.object) return std::nullopt;
    return child;
}

std::wstring nameOf(const Element& element) {
    BSTR name = nullptr;
    element.object->get_accName(childVariant(element.childId), &name);
    std::wstring text = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
    SysFreeString(name);
    return text;
}

long roleOf(const Element& element) {
    return numberOf(&IAccessible::get_accRole, element);
}
long stateOf(const Element& element) {
    return numberOf(&IAccessible::get_accState, element);
}

std::optional<std::wstring> nameBelowClient(HWND window, const std::vector<long>& path) {
    std::optional<Element> current = childAt(Element{windowObject(window)}, 4);
    for (long index : path) {
        if (!current) break;
        current = childAt(*current, index);
    }
    if (!current) return std::nullopt;
    return nameOf(*current);
}

}  // namespace standin
