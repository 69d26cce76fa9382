#include "corvix/native/dlgitems.h"

#include <gtest/gtest.h>

#include "tests/support/testwindow.h"

namespace corvix {
namespace {

using corvix_test::HostWindow;

// The walk answers as GetDlgItem whatever the order asked in: the first
// child of an identifier, none for an unknown one, and a search again for
// an item destroyed, renumbered or moved after the walk saw it.
TEST(DialogItemsTest, FindAnswersAsGetDlgItem) {
    HostWindow host;
    const int ids[] = {5, -1, 7, 5, -1, 9};
    for (int i = 0; i < 6; ++i) host.AddButton("item", ids[i], 0, 20 * i, 40, 18);
    const DialogItems items(host.Get());
    for (const int id : {9, 5, -1, 7, 42, 5})
        EXPECT_EQ(DialogItems::Find(host.Get(), id), GetDlgItem(host.Get(), id)) << "identifier " << id;
    const HWND first = GetDlgItem(host.Get(), 5);
    DestroyWindow(first);
    EXPECT_NE(DialogItems::Find(host.Get(), 5), first);
    EXPECT_EQ(DialogItems::Find(host.Get(), 5), GetDlgItem(host.Get(), 5));
    HostWindow other;
    const HWND otherItem = other.AddButton("other", 7, 0, 0, 40, 18);
    EXPECT_EQ(DialogItems::Find(other.Get(), 7), otherItem) << "a window without a walk of its own";
    SetWindowLongPtrA(GetDlgItem(host.Get(), 7), GWLP_ID, 8);
    EXPECT_EQ(DialogItems::Find(host.Get(), 7), nullptr) << "renumbered after the walk";
    SetParent(GetDlgItem(host.Get(), 9), other.Get());
    EXPECT_EQ(DialogItems::Find(host.Get(), 9), nullptr) << "moved to another window after the walk";
}

}  // namespace
}  // namespace corvix
