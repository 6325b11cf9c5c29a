// An accessibility tree that our test programs serve themselves: full objects (FakeAccessible, with an
// IAccessible of their own) and simple elements (child ids inside their container). Used in-process by the
// tests of the accessibility layer and served across processes by the stand-in chat client.
//
// Ownership: a container holds one reference on each full child; a child points back to its container
// without a reference. Whoever holds the root holds the tree.
#pragma once

#include <oleacc.h>
#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

namespace fake {

struct Props {
    std::wstring name, value, description, help, keyboardShortcut, defaultAction;
    long role = 0;
    long state = 0;
    RECT location{};   // screen coordinates
    bool failing = false;  // every read of this element fails with E_FAIL
};

// A COM object ends in its own Release, never through a pointer to one of its interfaces, which therefore
// have no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FakeAccessible final : public IAccessible, public IOleWindow, public IEnumVARIANT {
public:
    static Microsoft::WRL::ComPtr<FakeAccessible> create(Props props);

    // Children, in order; the child id of the k-th child (full or simple) is k.
    FakeAccessible* addFull(Props props);
    void addSimple(Props props);
    void clearChildren();
    long childCount() const { return static_cast<long>(kids_.size()); }
    FakeAccessible* fullChild(long id) const;  // null for a simple child
    Props& self() { return props_; }
    Props& simple(long id);  // properties of the simple child with that id

    // Report every child as a number (VT_I4) through IEnumVARIANT, as some servers do; full children are
    // then reached through accChild. Off: AccessibleChildren falls back to accChild and gets objects.
    bool childrenAsNumbers = false;
    // The window that WindowFromAccessibleObject finds through IOleWindow (none: no IOleWindow).
    HWND window = nullptr;
    // Results of the related-element members; default: S_FALSE with an empty VARIANT.
    std::function<HRESULT(VARIANT*)> onFocus, onSelection;
    std::function<HRESULT(long direction, VARIANT start, VARIANT* out)> onNavigate;
    std::function<HRESULT(long x, long y, VARIANT* out)> onHitTest;
    // Replaces the answer of accChildCount (for counts that disagree with the children, e.g. negative ones).
    std::function<HRESULT(long* out)> onChildCount;
    // Set by accDoDefaultAction / accSelect, for tests to look at.
    long lastDefaultActionChild = -1;
    long lastSelectFlags = -1, lastSelectChild = -1;

    long refCount() const { return refs_; }
    // IAccessible calls served in this process since the last reset (IUnknown and IDispatch not counted).
    static long callsServed();
    static void resetCallsServed();
    // Objects alive in this process, and the references that all their holders (the tree, other programs
    // through COM) hold on them together: what grows when a reader leaks references.
    static long liveObjects();
    static long referencesHeld();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch: members are reached through IAccessible directly.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** out) override;
    STDMETHODIMP get_accChildCount(long* out) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* out) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* out) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* out) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* out) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* out) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* out) override;
    STDMETHODIMP get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* out) override;
    STDMETHODIMP get_accFocus(VARIANT* out) override;
    STDMETHODIMP get_accSelection(VARIANT* out) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* out) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* out) override;
    STDMETHODIMP accHitTest(long x, long y, VARIANT* out) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;
    // IOleWindow
    STDMETHODIMP GetWindow(HWND* out) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IEnumVARIANT (only offered when childrenAsNumbers is on)
    STDMETHODIMP Next(ULONG count, VARIANT* out, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumVARIANT** out) override;

private:
    explicit FakeAccessible(Props props) : props_(std::move(props)) {}
    struct Kid {
        Microsoft::WRL::ComPtr<FakeAccessible> full;
        Props simple;
    };
    // The properties addressed by a child argument, or null when the argument names nothing readable.
    const Props* addressed(const VARIANT& child) const;
    HRESULT readText(const VARIANT& child, std::wstring Props::*field, BSTR* out) const;
    HRESULT writeText(const VARIANT& child, std::wstring Props::*field, BSTR text);

    long refs_ = 0;
    Props props_;
    FakeAccessible* parent_ = nullptr;
    std::vector<Kid> kids_;
    ULONG enumPosition_ = 0;
};
#pragma GCC diagnostic pop

}  // namespace fake
