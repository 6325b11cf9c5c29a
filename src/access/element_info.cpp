#include "access/element_info.h"

#include <string>

namespace {

const char kNameless[] = "NAMELESS";
const char kLeft[] = "\xD7\xF3\xA3\xBA";     // 左：
const char kTop[] = " \xB6\xA5\xA3\xBA";     // " 顶："
const char kWidth[] = "\xBF\xED\xA3\xBA";    // 宽：
const char kHeight[] = " \xB8\xDF\xA3\xBA";  // " 高："

Text labelledPair(const char* firstLabel, std::int64_t first, const char* secondLabel, std::int64_t second) {
    return firstLabel + std::to_string(first) + secondLabel + std::to_string(second);
}

}  // namespace

const Text& fieldOf(const ElementInfo& info, TestedField field) {
    switch (field) {
        case TestedField::name:
            return info.name;
        case TestedField::stateText:
            return info.stateText;
        case TestedField::roleText:
            return info.roleText;
        case TestedField::childId:
            return info.childId;
        case TestedField::value:
            break;
    }
    return info.value;
}

Text nameField(const Text& name) {
    return name.empty() ? Text(kNameless) : name;
}

Text positionText(std::int64_t left, std::int64_t top) {
    return labelledPair(kLeft, left, kTop, top);
}

Text sizeText(std::int64_t width, std::int64_t height) {
    return labelledPair(kWidth, width, kHeight, height);
}
