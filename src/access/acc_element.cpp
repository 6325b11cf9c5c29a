#include "access/acc_element.h"

#include <algorithm>
#include <cstring>

#include "util/codepage.h"

namespace {

using Microsoft::WRL::ComPtr;

// A child count above this is taken as unreadable: no array of that size is made for it.
constexpr long kMaxChildren = 1L << 20;

Text textFromBstr(BSTR text) {
    if (!text) return {};
    return fromWide(text, SysStringLen(text));
}

// A text property read by `call`(object, BSTR*); empty when there is no object or the call fails.
template <typename Call>
Text readText(IAccessible* object, Call call) {
    if (!object) return {};
    BSTR text = nullptr;
    if (FAILED(call(object, &text))) return {};
    Text result = textFromBstr(text);
    SysFreeString(text);
    return result;
}

// A number property read by `call`(object, VARIANT*); 0 when there is no object, the call fails or the
// result is not a number.
template <typename Call>
long readNumber(IAccessible* object, Call call) {
    if (!object) return 0;
    Variant result;
    if (FAILED(call(object, result.put()))) return 0;
    return numberOf(result.get());
}

// A text written by `call`(object, BSTR); true when the program reports no error.
template <typename Call>
bool writeText(IAccessible* object, const Text& text, Call call) {
    if (!object) return false;
    const ByteBuffer wide = textToUtf16(text);
    const UINT units = wide.empty() ? 0 : static_cast<UINT>(wide.size() / 2 - 1);  // without the terminator
    BSTR value = SysAllocStringLen(asWide(wide), units);
    if (!value) return false;
    const HRESULT hr = call(object, value);
    SysFreeString(value);
    return SUCCEEDED(hr);
}

ComPtr<IAccessible> accessibleOf(IDispatch* object) {
    ComPtr<IAccessible> accessible;
    if (object)
        object->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(accessible.GetAddressOf()));
    return accessible;
}

// The system's text for a role or a state bit: its length first, then the text into a buffer one longer.
Text systemText(UINT(WINAPI* getText)(DWORD, LPWSTR, UINT), DWORD code) {
    const UINT length = getText(code, nullptr, 0);
    std::wstring buffer(length + 1, L' ');
    const UINT copied = getText(code, buffer.data(), length + 1);
    return fromWide(buffer.data(), std::min<std::size_t>(copied, length));
}

// Binds out to what `container` named as focus, selection or navigation result: a child id inside it, the
// container itself (CHILDID_SELF), or an object of its own; out is emptied when the result names nothing.
void bindNamed(const VARIANT& named, IAccessible* container, AccElement& out) {
    if (kindOf(named) != VariantKind::Number) {
        out.bindObject(objectOf(named).Get());
        return;
    }
    const long id = numberOf(named);
    if (id == CHILDID_SELF) {
        out.bindObject(container);
    } else {
        out.bindChild(id, container);
    }
}

// Focus and selection: what `read`(object, VARIANT*) reports, bound to out. False, and out untouched, when it
// reports nothing.
template <typename Read>
bool bindReported(IAccessible* object, AccElement& out, Read read) {
    Variant reported;
    if (!object || FAILED(read(object, reported.put()))) return false;
    if (kindOf(reported.get()) == VariantKind::Empty) return false;
    bindNamed(reported.get(), object, out);
    return !out.isEmpty();
}

// VARIANTs for AccessibleChildren, each starting as VT_I4 0, cleared when the array goes.
class ChildVariants {
public:
    explicit ChildVariants(std::size_t count) : items_(count) {
        for (VARIANT& item : items_) {
            VariantInit(&item);
            item.vt = VT_I4;
            item.lVal = 0;
        }
    }
    ChildVariants(const ChildVariants&) = delete;
    ChildVariants& operator=(const ChildVariants&) = delete;
    ~ChildVariants() {
        for (VARIANT& item : items_) VariantClear(&item);
    }
    VARIANT* data() { return items_.data(); }
    const VARIANT& operator[](std::size_t i) const { return items_[i]; }

private:
    std::vector<VARIANT> items_;
};

}  // namespace

// Lifetime and binding. Every binding takes its new reference before it releases the old ones, so an
// element may be bound from an object that it holds itself.

void AccElement::destroy() {
    parentObject_.Reset();
    object_.Reset();
    childId_ = 0;
}

AccElement AccElement::clone() const {
    AccElement copy;
    copy.parentObject_ = parentObject_;
    copy.object_ = object_;
    copy.childId_ = childId_;
    return copy;
}

bool AccElement::bindWindow(HWND window) {
    destroy();
    if (!window) return false;  // 0 is no window, not the desktop
    ObjectRef object;
    const HRESULT hr =
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(object.GetAddressOf()));
    if (hr != S_OK || !object) return false;
    object_ = std::move(object);
    return true;
}

bool AccElement::bindPoint(long x, long y) {
    destroy();
    ObjectRef object;
    Variant child;
    const HRESULT hr = AccessibleObjectFromPoint(POINT{x, y}, object.GetAddressOf(), child.put());
    if (hr != S_OK || !object) return false;
    childId_ = numberOf(child.get());
    if (childId_) {
        parentObject_ = std::move(object);  // a simple element inside the object found
    } else {
        object_ = std::move(object);
    }
    return true;
}

void AccElement::bindObject(IAccessible* object) {
    ObjectRef taken(object);
    destroy();
    object_ = std::move(taken);
}

void AccElement::bindChild(long childId, IAccessible* container) {
    ObjectRef taken(container);
    destroy();
    parentObject_ = std::move(taken);
    childId_ = childId;
}

Variant AccElement::asVariant() const {
    return childId_ ? Variant(childId_) : Variant(object_.Get());
}

bool AccElement::isEmpty() const {
    return addressed() == nullptr;
}

void AccElement::objects(ObjectRef& parentObject, ObjectRef& object) const {
    parentObject = parentObject_;
    object = object_;
}

VARIANT AccElement::childArgument() const {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = childId_ ? childId_ : CHILDID_SELF;
    return child;
}

// Related elements.

bool AccElement::parent(AccElement& out) const {
    if (childId_) {
        out.bindObject(parentObject_.Get());  // the parent of a simple element is its container
        return !out.isEmpty();
    }
    ComPtr<IDispatch> parentObject;
    if (object_ && FAILED(object_->get_accParent(parentObject.GetAddressOf()))) parentObject.Reset();
    out.bindObject(accessibleOf(parentObject.Get()).Get());
    return !out.isEmpty();
}

long AccElement::childCount() const {
    long count = 0;
    if (!object_ || FAILED(object_->get_accChildCount(&count))) return 0;
    return count;
}

void AccElement::bindFetchedChild(const VARIANT& child, AccElement& out) const {
    ObjectRef full;
    if (kindOf(child) == VariantKind::Number) {
        ComPtr<IDispatch> object;
        if (object_ && SUCCEEDED(object_->get_accChild(child, object.GetAddressOf())))
            full = accessibleOf(object.Get());
    } else {
        full = objectOf(child);
    }
    if (full) {
        out.bindObject(full.Get());
    } else {
        out.bindChild(numberOf(child), object_.Get());
    }
}

bool AccElement::child(long index, AccElement& out) const {
    if (object_ && index >= 1) {
        Variant fetched(0L);
        long obtained = 0;
        if (AccessibleChildren(object_.Get(), index - 1, 1, fetched.inOut(), &obtained) == S_OK &&
            obtained == 1) {
            bindFetchedChild(fetched.get(), out);
        }
    }
    return !out.isEmpty();
}

long AccElement::children(std::vector<AccElement>& out) const {
    // A negative count (a confused server) has no children to fetch, like a count of 0.
    const long count = childCount();
    if (count <= 0 || count > kMaxChildren) return 0;
    ChildVariants fetched(static_cast<std::size_t>(count));
    long obtained = 0;
    if (AccessibleChildren(object_.Get(), 0, count, fetched.data(), &obtained) != S_OK) return 0;
    // Only what the program delivered: slots it did not fill would bind the element's own child 0.
    const long delivered = std::clamp(obtained, 0L, count);
    std::vector<AccElement> kids(static_cast<std::size_t>(delivered));
    for (long i = 0; i < delivered; ++i) bindFetchedChild(fetched[static_cast<std::size_t>(i)], kids[i]);
    out = std::move(kids);
    return delivered;
}

bool AccElement::focus(AccElement& out) const {
    return bindReported(addressed(), out,
                        [](IAccessible* o, VARIANT* result) { return o->get_accFocus(result); });
}

bool AccElement::selection(AccElement& out) const {
    return bindReported(addressed(), out,
                        [](IAccessible* o, VARIANT* result) { return o->get_accSelection(result); });
}

bool AccElement::navigate(long direction, const AccElement& start, AccElement& out) const {
    IAccessible* const object = addressed();
    Variant found;
    if (object) {
        const Variant from = start.asVariant();
        if (FAILED(object->accNavigate(direction, from.get(), found.put()))) found.put();
    }
    bindNamed(found.get(), object, out);
    return !out.isEmpty();
}

bool AccElement::hitTest(long x, long y, AccElement& out) const {
    // The result names children of the object asked, which for a simple element is its container.
    IAccessible* const object = addressed();
    Variant hit;
    if (!object || FAILED(object->accHitTest(x, y, hit.put()))) return false;
    switch (kindOf(hit.get())) {
        case VariantKind::Number: {
            const long id = numberOf(hit.get());
            if (id == CHILDID_SELF) {
                out.bindObject(object);  // the point lies on the object itself
            } else {
                out.bindChild(id, object);
            }
            return true;
        }
        case VariantKind::Object: {
            const ObjectRef found = objectOf(hit.get());
            if (!found) return false;
            out.bindObject(found.Get());
            return true;
        }
        default:
            return false;
    }
}

// Properties.

Text AccElement::name() const {
    return readText(addressed(),
                    [this](IAccessible* o, BSTR* out) { return o->get_accName(childArgument(), out); });
}

bool AccElement::setName(const Text& name) {
    return writeText(addressed(), name,
                     [this](IAccessible* o, BSTR text) { return o->put_accName(childArgument(), text); });
}

Text AccElement::value() const {
    return readText(addressed(),
                    [this](IAccessible* o, BSTR* out) { return o->get_accValue(childArgument(), out); });
}

bool AccElement::setValue(const Text& value) {
    return writeText(addressed(), value,
                     [this](IAccessible* o, BSTR text) { return o->put_accValue(childArgument(), text); });
}

Text AccElement::description() const {
    return readText(addressed(), [this](IAccessible* o, BSTR* out) {
        return o->get_accDescription(childArgument(), out);
    });
}

long AccElement::role() const {
    return readNumber(addressed(),
                      [this](IAccessible* o, VARIANT* out) { return o->get_accRole(childArgument(), out); });
}

Text AccElement::roleText() const {
    return systemRoleText(role());
}

long AccElement::state() const {
    return readNumber(addressed(),
                      [this](IAccessible* o, VARIANT* out) { return o->get_accState(childArgument(), out); });
}

Text AccElement::stateText() const {
    return systemStateText(state());
}

Text AccElement::help() const {
    return readText(addressed(),
                    [this](IAccessible* o, BSTR* out) { return o->get_accHelp(childArgument(), out); });
}

long AccElement::helpTopic() const {
    IAccessible* const object = addressed();
    BSTR helpFile = nullptr;
    long topic = 0;
    if (!object || FAILED(object->get_accHelpTopic(&helpFile, childArgument(), &topic))) return 0;
    SysFreeString(helpFile);
    return topic;
}

Text AccElement::keyboardShortcut() const {
    return readText(addressed(), [this](IAccessible* o, BSTR* out) {
        return o->get_accKeyboardShortcut(childArgument(), out);
    });
}

Text AccElement::defaultAction() const {
    return readText(addressed(), [this](IAccessible* o, BSTR* out) {
        return o->get_accDefaultAction(childArgument(), out);
    });
}

bool AccElement::location(long& left, long& top, long& width, long& height) const {
    IAccessible* const object = addressed();
    long l = left, t = top, w = width, h = height;
    if (!object || FAILED(object->accLocation(&l, &t, &w, &h, childArgument()))) return false;
    left = l;
    top = t;
    width = w;
    height = h;
    return true;
}

HWND AccElement::window() const {
    IAccessible* const object = addressed();
    HWND window = nullptr;
    if (!object || FAILED(WindowFromAccessibleObject(object, &window))) return nullptr;
    return window;
}

// Actions.

void AccElement::select(long flags, const AccElement* target) const {
    IAccessible* const object = addressed();
    if (!object) return;
    const Variant child = target ? target->asVariant() : Variant(0L);
    object->accSelect(flags, child.get());
}

void AccElement::doDefaultAction() const {
    if (IAccessible* const object = addressed()) object->accDoDefaultAction(childArgument());
}

Text systemRoleText(long role) {
    return systemText(GetRoleTextW, static_cast<DWORD>(role));
}

Text systemStateText(long state) {
    const DWORD bits = static_cast<DWORD>(state);
    if (bits == 0) return systemText(GetStateTextW, 0);
    Text text;
    for (DWORD bit = 1; bit <= 0x10000000; bit <<= 1) {  // the bits above have no text of their own
        if (bits & bit) text += systemText(GetStateTextW, bit) + ",";
    }
    return text;
}
