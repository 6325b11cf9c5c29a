#include "support/fake_accessible.h"

#include <atomic>

namespace fake {
namespace {

std::atomic<long> g_callsServed{0};
std::atomic<long> g_liveObjects{0};
std::atomic<long> g_referencesHeld{0};

// Counts one IAccessible call served by this process.
void served() { ++g_callsServed; }

BSTR allocString(const std::wstring& text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

}  // namespace

long FakeAccessible::callsServed() { return g_callsServed; }
long FakeAccessible::liveObjects() { return g_liveObjects; }
long FakeAccessible::referencesHeld() { return g_referencesHeld; }
void FakeAccessible::resetCallsServed() { g_callsServed = 0; }

Microsoft::WRL::ComPtr<FakeAccessible> FakeAccessible::create(Props props) {
    // A new object holds no reference; the ComPtr takes the first. (This mingw's ComPtr::Attach takes a
    // reference of its own, unlike the platform's, so attaching a new object would leak it.)
    Microsoft::WRL::ComPtr<FakeAccessible> node(new FakeAccessible(std::move(props)));
    ++g_liveObjects;
    return node;
}

FakeAccessible* FakeAccessible::addFull(Props props) {
    Kid kid;
    kid.full = create(std::move(props));
    kid.full->parent_ = this;
    kid.full->window = window;
    kids_.push_back(kid);
    return kids_.back().full.Get();
}

void FakeAccessible::addSimple(Props props) { kids_.push_back(Kid{nullptr, std::move(props)}); }

void FakeAccessible::clearChildren() {
    for (Kid& kid : kids_) {
        if (kid.full) kid.full->parent_ = nullptr;
    }
    kids_.clear();
}

FakeAccessible* FakeAccessible::fullChild(long id) const {
    return id >= 1 && id <= childCount() ? kids_[id - 1].full.Get() : nullptr;
}

Props& FakeAccessible::simple(long id) { return kids_.at(static_cast<std::size_t>(id - 1)).simple; }

const Props* FakeAccessible::addressed(const VARIANT& child) const {
    if (child.vt != VT_I4) return nullptr;
    const Props* props = nullptr;
    if (child.lVal == CHILDID_SELF) {
        props = &props_;
    } else if (child.lVal >= 1 && child.lVal <= childCount()) {
        const Kid& kid = kids_[child.lVal - 1];
        props = kid.full ? &kid.full->props_ : &kid.simple;
    }
    return props && !props->failing ? props : nullptr;
}

HRESULT FakeAccessible::readText(const VARIANT& child, std::wstring Props::*field, BSTR* out) const {
    served();
    if (!out) return E_POINTER;
    *out = nullptr;
    const Props* props = addressed(child);
    if (!props) return E_FAIL;
    if ((props->*field).empty()) return S_FALSE;
    *out = allocString(props->*field);
    return S_OK;
}

HRESULT FakeAccessible::writeText(const VARIANT& child, std::wstring Props::*field, BSTR text) {
    served();
    Props* props = const_cast<Props*>(addressed(child));
    if (!props) return E_FAIL;
    props->*field = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    return S_OK;
}

STDMETHODIMP FakeAccessible::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
        *out = static_cast<IAccessible*>(this);
    } else if (riid == IID_IOleWindow && window) {
        *out = static_cast<IOleWindow*>(this);
    } else if (riid == IID_IEnumVARIANT && childrenAsNumbers) {
        *out = static_cast<IEnumVARIANT*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) FakeAccessible::AddRef() {
    ++g_referencesHeld;
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) FakeAccessible::Release() {
    --g_referencesHeld;
    const long left = InterlockedDecrement(&refs_);
    if (left == 0) {
        --g_liveObjects;
        clearChildren();
        delete this;
    }
    return static_cast<ULONG>(left);
}

STDMETHODIMP FakeAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP FakeAccessible::get_accParent(IDispatch** out) {
    served();
    if (!out) return E_POINTER;
    *out = nullptr;
    if (props_.failing) return E_FAIL;
    if (!parent_) return S_FALSE;
    *out = static_cast<IAccessible*>(parent_);
    parent_->AddRef();
    return S_OK;
}

STDMETHODIMP FakeAccessible::get_accChildCount(long* out) {
    served();
    if (!out) return E_POINTER;
    *out = 0;
    if (onChildCount) return onChildCount(out);
    if (props_.failing) return E_FAIL;
    *out = childCount();
    return S_OK;
}

STDMETHODIMP FakeAccessible::get_accChild(VARIANT child, IDispatch** out) {
    served();
    if (!out) return E_POINTER;
    *out = nullptr;
    if (props_.failing || child.vt != VT_I4 || child.lVal < 1 || child.lVal > childCount()) return E_INVALIDARG;
    FakeAccessible* full = fullChild(child.lVal);
    if (!full) return S_FALSE;  // a simple element has no object of its own
    *out = static_cast<IAccessible*>(full);
    full->AddRef();
    return S_OK;
}

STDMETHODIMP FakeAccessible::get_accName(VARIANT child, BSTR* out) { return readText(child, &Props::name, out); }
STDMETHODIMP FakeAccessible::get_accValue(VARIANT child, BSTR* out) { return readText(child, &Props::value, out); }
STDMETHODIMP FakeAccessible::get_accDescription(VARIANT child, BSTR* out) {
    return readText(child, &Props::description, out);
}
STDMETHODIMP FakeAccessible::get_accHelp(VARIANT child, BSTR* out) { return readText(child, &Props::help, out); }
STDMETHODIMP FakeAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* out) {
    return readText(child, &Props::keyboardShortcut, out);
}
STDMETHODIMP FakeAccessible::get_accDefaultAction(VARIANT child, BSTR* out) {
    return readText(child, &Props::defaultAction, out);
}

STDMETHODIMP FakeAccessible::get_accRole(VARIANT child, VARIANT* out) {
    served();
    if (!out) return E_POINTER;
    VariantInit(out);
    const Props* props = addressed(child);
    if (!props) return E_FAIL;
    out->vt = VT_I4;
    out->lVal = props->role;
    return S_OK;
}

STDMETHODIMP FakeAccessible::get_accState(VARIANT child, VARIANT* out) {
    served();
    if (!out) return E_POINTER;
    VariantInit(out);
    const Props* props = addressed(child);
    if (!props) return E_FAIL;
    out->vt = VT_I4;
    out->lVal = props->state;
    return S_OK;
}

STDMETHODIMP FakeAccessible::get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) {
    served();
    if (!helpFile || !topic) return E_POINTER;
    *helpFile = nullptr;
    *topic = 0;
    const Props* props = addressed(child);
    if (!props) return E_FAIL;
    if (props->help.empty()) return S_FALSE;
    *helpFile = allocString(props->help);
    *topic = static_cast<long>(props->help.size());
    return S_OK;
}

STDMETHODIMP FakeAccessible::get_accFocus(VARIANT* out) {
    served();
    if (!out) return E_POINTER;
    VariantInit(out);
    return onFocus ? onFocus(out) : S_FALSE;
}

STDMETHODIMP FakeAccessible::get_accSelection(VARIANT* out) {
    served();
    if (!out) return E_POINTER;
    VariantInit(out);
    return onSelection ? onSelection(out) : S_FALSE;
}

STDMETHODIMP FakeAccessible::accSelect(long flags, VARIANT child) {
    served();
    if (!addressed(child)) return E_INVALIDARG;
    lastSelectFlags = flags;
    lastSelectChild = child.lVal;
    return S_OK;
}

STDMETHODIMP FakeAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    served();
    if (!left || !top || !width || !height) return E_POINTER;
    const Props* props = addressed(child);
    if (!props) return E_FAIL;
    *left = props->location.left;
    *top = props->location.top;
    *width = props->location.right - props->location.left;
    *height = props->location.bottom - props->location.top;
    return S_OK;
}

STDMETHODIMP FakeAccessible::accNavigate(long direction, VARIANT start, VARIANT* out) {
    served();
    if (!out) return E_POINTER;
    VariantInit(out);
    return onNavigate ? onNavigate(direction, start, out) : S_FALSE;
}

STDMETHODIMP FakeAccessible::accHitTest(long x, long y, VARIANT* out) {
    served();
    if (!out) return E_POINTER;
    VariantInit(out);
    return onHitTest ? onHitTest(x, y, out) : S_FALSE;
}

STDMETHODIMP FakeAccessible::accDoDefaultAction(VARIANT child) {
    served();
    if (!addressed(child)) return E_INVALIDARG;
    lastDefaultActionChild = child.lVal;
    return S_OK;
}

STDMETHODIMP FakeAccessible::put_accName(VARIANT child, BSTR name) { return writeText(child, &Props::name, name); }
STDMETHODIMP FakeAccessible::put_accValue(VARIANT child, BSTR value) {
    return writeText(child, &Props::value, value);
}

STDMETHODIMP FakeAccessible::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = window;
    return window ? S_OK : E_FAIL;
}

STDMETHODIMP FakeAccessible::Next(ULONG count, VARIANT* out, ULONG* fetched) {
    served();
    if (!out) return E_POINTER;
    ULONG given = 0;
    while (given < count && enumPosition_ < kids_.size()) {
        VariantInit(&out[given]);
        out[given].vt = VT_I4;
        out[given].lVal = static_cast<long>(++enumPosition_);
        ++given;
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP FakeAccessible::Skip(ULONG count) {
    enumPosition_ += count;
    if (enumPosition_ > kids_.size()) {
        enumPosition_ = static_cast<ULONG>(kids_.size());
        return S_FALSE;
    }
    return S_OK;
}

STDMETHODIMP FakeAccessible::Reset() {
    enumPosition_ = 0;
    return S_OK;
}

STDMETHODIMP FakeAccessible::Clone(IEnumVARIANT** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

}  // namespace fake
