// One element of the accessibility tree of another program's window: either a full accessible object, or a
// simple element addressed as a child id inside its container's object.
//
// Ownership: an element holds one reference on each object it refers to and releases it when it is rebound,
// destroyed or goes out of scope. Elements move but do not copy; clone() makes a second element with its own
// references, which outlives the first. Operations that deliver an element fill an out element of the
// caller's; each of them reads what it needs before binding, so an out element may even be the element
// itself.
//
// Nothing is cached: every read asks the target program at that moment, and a read that fails gives its
// default (empty text, 0 or no element). Call on the thread that initialised COM.
#pragma once

#include <oleacc.h>
#include <windows.h>
#include <wrl/client.h>

#include <vector>

#include "access/acc_variant.h"
#include "util/gbk_text.h"

class AccElement {
public:
    using ObjectRef = Microsoft::WRL::ComPtr<IAccessible>;

    AccElement() = default;  // empty
    AccElement(const AccElement&) = delete;
    AccElement& operator=(const AccElement&) = delete;
    AccElement(AccElement&&) noexcept = default;
    AccElement& operator=(AccElement&&) noexcept = default;
    ~AccElement() = default;

    // Lifetime and binding. Each binding replaces what the element referred to.
    void destroy();  // releases both objects; the element is empty again
    AccElement clone() const;
    bool bindWindow(HWND window);  // the window's object (OBJID_WINDOW); false, and empty, when there is none
    bool bindPoint(long x, long y);  // the element at a screen point; false, and empty, when there is none
    void bindObject(IAccessible* object);
    void bindChild(long childId, IAccessible* container);
    // This element as a child argument: VT_I4 with the child id of a simple element, else the own object
    // as VT_DISPATCH (VT_EMPTY when there is none).
    Variant asVariant() const;
    bool isEmpty() const;  // no object to address
    long childId() const { return childId_; }
    void objects(ObjectRef& parentObject, ObjectRef& object) const;  // new references to both objects

    // Related elements. parent, child, focus, selection and navigate return whether out is non-empty after
    // the call.
    bool parent(AccElement& out) const;
    long childCount() const;
    // The child at `index` (from 1). When the program delivers none, out is left as it was, so only a newly
    // created out element makes the result mean "found".
    bool child(long index, AccElement& out) const;
    // All children, in the program's order; the array is replaced. 0, and the array left as it was, when
    // there are none or they cannot be fetched.
    long children(std::vector<AccElement>& out) const;
    bool focus(AccElement& out) const;      // out untouched, and false, when nothing has the focus
    bool selection(AccElement& out) const;  // out untouched, and false, when nothing is selected
    // From `start` in `direction` (NAVDIR_*); out is emptied when nothing is found there.
    bool navigate(long direction, const AccElement& start, AccElement& out) const;
    // The element at a screen point: true when the program names one (out bound to it), false and out
    // untouched when it names none.
    bool hitTest(long x, long y, AccElement& out) const;

    // Properties.
    Text name() const;
    bool setName(const Text& name);
    Text value() const;
    bool setValue(const Text& value);
    Text description() const;
    long role() const;
    Text roleText() const;  // the system's text for role()
    long state() const;
    Text stateText() const;  // the system's texts for the set bits of state(), each followed by ","
    Text help() const;
    long helpTopic() const;
    Text keyboardShortcut() const;
    Text defaultAction() const;
    // The screen rectangle; false, and the four left as they were, when it cannot be read.
    bool location(long& left, long& top, long& width, long& height) const;
    HWND window() const;  // the window holding the element; 0 when none

    // Actions.
    void select(long flags, const AccElement* target = nullptr) const;
    void doDefaultAction() const;

private:
    // The object that reads and actions go to, and the child argument naming the element inside it.
    IAccessible* addressed() const { return childId_ ? parentObject_.Get() : object_.Get(); }
    VARIANT childArgument() const;
    // Binds out to a child that AccessibleChildren delivered for this element.
    void bindFetchedChild(const VARIANT& child, AccElement& out) const;

    ObjectRef parentObject_;  // the container; used only when childId_ is not 0
    ObjectRef object_;        // the element's own object; used only when childId_ is 0
    long childId_ = 0;
};

// The system's texts for a role and for a state, as roleText() and stateText() give them: GetRoleTextW's
// text, and GetStateTextW's text for state 0 or those of the set bits, each followed by ","; in GBK.
Text systemRoleText(long role);
Text systemStateText(long state);
