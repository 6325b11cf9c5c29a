#include "access/snapshot.h"

#include <cstdint>
#include <string>

ElementInfo snapshot(const AccElement& element) {
    // The reads go to the target program in this order: child count, window, location, value, description,
    // name, state, role, default action, state, role.
    const long count = element.childCount();
    const Bounds frame = windowBounds(element.window());
    long left = 0, top = 0, width = 0, height = 0;
    element.location(left, top, width, height);

    ElementInfo info;
    info.childId = snapshotField(element, TestedField::childId);
    info.value = snapshotField(element, TestedField::value);
    info.childCount = std::to_string(count);
    info.description = element.description();
    info.name = snapshotName(element);
    info.stateText = snapshotField(element, TestedField::stateText);
    info.roleText = snapshotField(element, TestedField::roleText);
    info.screenPosition = positionText(left, top);
    info.windowPosition = positionText(std::int64_t{left} - frame.left, std::int64_t{top} - frame.top);
    info.size = sizeText(width, height);
    info.bounds = Bounds{left, top, width, height};
    info.defaultAction = element.defaultAction();
    info.stateNumber = std::to_string(element.state());
    info.roleNumber = std::to_string(element.role());
    return info;
}

Text snapshotField(const AccElement& element, TestedField field) {
    switch (field) {
        case TestedField::name:
            return snapshotName(element);
        case TestedField::stateText:
            return element.stateText();
        case TestedField::roleText:
            return element.roleText();
        case TestedField::childId:
            return std::to_string(element.childId());
        case TestedField::value:
            break;
    }
    return element.value();
}

Text snapshotName(const AccElement& element) {
    // One read of the name: a second one could find it gone and leave the field empty.
    return nameField(element.name());
}

Bounds windowBounds(HWND window) {
    RECT rect{};
    if (!window || !GetWindowRect(window, &rect)) rect = RECT{};
    return Bounds{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}
