// The text record of one accessible element, as the panel and the path conditions look at it, and the
// texts it is made of. A plain value: it owns its texts and does not refer back to the element.
#pragma once

#include <cstdint>

#include "util/gbk_text.h"

// A rectangle in screen pixels.
struct Bounds {
    std::int32_t left = 0, top = 0, width = 0, height = 0;

    friend bool operator==(const Bounds& a, const Bounds& b) {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    }
    friend bool operator!=(const Bounds& a, const Bounds& b) { return !(a == b); }
};

struct ElementInfo {
    Text childCount;
    Text childId;  // "0" for a full object
    Text description;
    Text name;  // "NAMELESS" when the element has no name
    Text stateText;
    Text roleText;
    Text value;
    Text windowPosition;  // position relative to the element's window: "左：20 顶：15"
    Bounds bounds;
    Text defaultAction;
    Text stateNumber;
    Text roleNumber;
    Text screenPosition;  // "左：120 顶：45"
    Text size;            // "宽：300 高：20"
};

// The fields that path conditions test; snapshotField (access/snapshot.h) reads one of them alone.
enum class TestedField { name, stateText, roleText, childId, value };
constexpr int kTestedFieldCount = 5;
const Text& fieldOf(const ElementInfo& info, TestedField field);

// The name field of a record: the name, or "NAMELESS" for the empty name.
Text nameField(const Text& name);
// "左：<left> 顶：<top>"; 64-bit numbers, so that differences of positions cannot overflow.
Text positionText(std::int64_t left, std::int64_t top);
// "宽：<width> 高：<height>"
Text sizeText(std::int64_t width, std::int64_t height);
