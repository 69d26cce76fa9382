#pragma once
// The sharing protocol of fonts and brushes in one place: a holder raises the
// object's use count when it keeps it and calls End when it lets go.

#include <memory>
#include <utility>

namespace corvix {

// Keeps next in held: the new reference is taken before the old one is given
// back, so handing a holder what it already holds changes nothing.
template <typename T>
void HoldReference(std::shared_ptr<T>& held, std::shared_ptr<T> next) {
    if (next) next->nCount = next->nCount.value_or(0) + 1;
    if (held) held->End();
    held = std::move(next);
}

// Keeps next, whose reference its New already counted for the caller.
template <typename T>
void AdoptReference(std::shared_ptr<T>& held, std::shared_ptr<T> next) {
    if (held) held->End();
    held = std::move(next);
}

// Gives back the reference held, if any.
template <typename T>
void DropReference(std::shared_ptr<T>& held) {
    if (held) held->End();
    held.reset();
}

}  // namespace corvix
