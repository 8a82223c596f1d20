#include <gtest/gtest.h>

#include "Window.h"
#include "WindowControls.h"

namespace {

// A dialog of the rollouts' font with a group box, a label inside it, a control inside it,
// a hidden control and a disabled control.
constexpr DialogItem kItems[] = {
    {IDC_STATIC, DialogItemKind::GroupBox, L"Group", 0, 5, 100, 40, 0},
    {IDC_STATIC, DialogItemKind::Label, L"Label", 5, 15, 30, 8, 0},
    {10, DialogItemKind::MapButton, L"", 40, 15, 40, 10, DLGITEM_TABSTOP},
    {11, DialogItemKind::EditField, L"", 40, 30, 20, 10, DLGITEM_HIDDEN},
    {12, DialogItemKind::CheckBox, L"", 70, 30, 10, 10, DLGITEM_DISABLED},
};
constexpr DialogTemplate kTemplate{1, 120, 60, L"MS Sans Serif", 8, true, kItems, 5};

class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override { dlg = CreateDialogFromTemplate(kTemplate, nullptr, nullptr); }
    void TearDown() override { DestroyWindow(dlg); }
    // The centre, in dialog pixels, of an item given in dialog units.
    static POINT centre(short x, short y, short cx, short cy) {
        return POINT{MulDiv(x, 6, 4) + MulDiv(cx, 6, 4) / 2,
                     MulDiv(y, 13, 8) + MulDiv(cy, 13, 8) / 2};
    }
    HWND dlg = nullptr;
};

TEST(MulDiv, RoundsHalfAwayFromZero) {
    struct Case {
        int n, num, den, want;
    } cases[] = {{217, 6, 4, 326}, {422, 13, 8, 686}, {5, 13, 8, 8}, {3, 1, 2, 2},
                 {-3, 1, 2, -2},   {7, 1, 0, -1},     {1, 1, -2, -1}};
    for (const Case& c : cases) EXPECT_EQ(MulDiv(c.n, c.num, c.den), c.want) << c.n;
}

TEST_F(DialogFixture, MapsDialogUnitsToPixels) {
    EXPECT_EQ(dlg->Rect().right, 180);  // 120 * 6 / 4
    EXPECT_EQ(dlg->Rect().bottom, 98);  // 60 * 13 / 8 = 97.5
    HWND button = GetDlgItem(dlg, 10);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Rect().left, 60);
    EXPECT_EQ(button->Rect().top, 24);  // 15 * 13 / 8 = 24.375
    EXPECT_EQ(button->Rect().right, 120);
    EXPECT_EQ(button->Rect().bottom, 40);  // + 10 * 13 / 8 = 16.25
    EXPECT_EQ(button->ClassName(), WC_CUSTBUTTON);
    EXPECT_TRUE(button->Style() & WS_TABSTOP);
    EXPECT_TRUE(dlg->ExStyle() & WS_EX_ACCEPTFILES);
}

TEST_F(DialogFixture, TemplateStatesBecomeStyles) {
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 11)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, 12)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, 10)));
    EXPECT_TRUE(dlg->Children().front()->IsGroupBox());
}

TEST_F(DialogFixture, RealChildWindowFromPointLooksThroughGroupBoxesAndHiddenWindows) {
    HWND label = dlg->Children()[1].get();
    struct Case {
        POINT pt;
        HWND want;
    } cases[] = {
        {centre(40, 15, 40, 10), GetDlgItem(dlg, 10)},  // a control
        {centre(5, 15, 30, 8), label},                  // a label is found
        {centre(70, 30, 10, 10), GetDlgItem(dlg, 12)},  // disabled: found
        {centre(40, 30, 20, 10), dlg},                  // hidden: the group box is skipped too
        {POINT{3, 60}, dlg},                            // inside the group box, on no control
        {POINT{170, 90}, dlg},                          // outside every child
        {POINT{180, 10}, nullptr},                      // outside the dialog
        {POINT{-1, 10}, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RealChildWindowFromPoint(dlg, c.pt), c.want) << c.pt.x << "," << c.pt.y;
    EXPECT_EQ(GetDlgCtrlID(label), IDC_STATIC);
    EXPECT_EQ(GetDlgCtrlID(dlg), 0);
}

TEST_F(DialogFixture, UserDataAndStaleHandles) {
    EXPECT_EQ(GetWindowLongPtrW(dlg, GWLP_USERDATA), 0);
    EXPECT_EQ(SetWindowLongPtrW(dlg, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(SetWindowLongPtrW(dlg, GWLP_USERDATA, 43), 42);
    EXPECT_EQ(GetWindowLongPtrW(dlg, GWLP_USERDATA), 43);
    EXPECT_EQ(GetDlgItem(dlg, 99), nullptr);

    HWND child = GetDlgItem(dlg, 10);
    DestroyWindow(child);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetDlgItem(dlg, 10), nullptr);
    EXPECT_EQ(GetDlgCtrlID(child), 0);
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_USERDATA), 0);
}

TEST(HostWindow, DestroySendsWmDestroyToParentThenChildren) {
    std::vector<int> order;
    auto recorder = [&order](int tag) {
        return [&order, tag](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR {
            if (msg == WM_DESTROY) order.push_back(tag);
            return 0;
        };
    };
    HWND parent = CreateHostWindow({WC_DIALOG, L"", WS_VISIBLE, 0, 0, {}, recorder(1)}, nullptr);
    CreateHostWindow({WC_STATIC, L"", WS_VISIBLE, 0, 5, {}, recorder(2)}, parent);
    DestroyWindow(parent);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_FALSE(IsWindow(parent));
}

TEST(HostWindow, ObserverHearsChangesOfTheTree) {
    HWND parent = CreateHostWindow({WC_DIALOG, L"", WS_VISIBLE, 0, 0, {}, nullptr}, nullptr);
    HWND child = CreateHostWindow({WC_STATIC, L"a", WS_VISIBLE, 0, 5, {}, nullptr}, parent);
    std::vector<std::pair<HWND, WindowChange>> heard;
    SetWindowObserver(parent, [&](HWND w, WindowChange c) { heard.emplace_back(w, c); });
    EnableWindow(child, FALSE);
    EnableWindow(child, FALSE);  // no change, nothing heard
    SetWindowTextW(child, L"b");
    ShowWindow(child, FALSE);
    EXPECT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0], std::make_pair(child, WindowChange::Enabled));
    EXPECT_EQ(heard[1], std::make_pair(child, WindowChange::Text));
    EXPECT_EQ(heard[2], std::make_pair(child, WindowChange::Shown));
    DestroyWindow(parent);
}

TEST(WindowControls, ActionsNotifyTheParentAndRespectState) {
    std::vector<std::pair<UINT, WPARAM>> messages;
    HWND dlg = CreateHostWindow({WC_DIALOG,
                                 L"",
                                 WS_VISIBLE,
                                 0,
                                 0,
                                 {},
                                 [&](HWND, UINT m, WPARAM w, LPARAM) -> INT_PTR {
                                     messages.emplace_back(m, w);
                                     return 0;
                                 }},
                                nullptr);
    HWND check =
        CreateHostWindow({WC_BUTTON, L"", WS_VISIBLE | BS_AUTOCHECKBOX, 0, 7, {}, nullptr}, dlg);
    HWND spin = CreateHostWindow({WC_SPINNER, L"", WS_VISIBLE, 0, 8, {}, nullptr}, dlg);
    ControlState limits;
    limits.minValue = 0.0f;
    limits.maxValue = 10.0f;
    limits.step = 0.5f;
    SetControlState(spin, limits);

    EXPECT_TRUE(ClickButton(check));
    EXPECT_TRUE(check->Control().checked);
    EXPECT_TRUE(SetSpinnerValue(spin, 20.0f));
    EXPECT_EQ(spin->Control().value, 10.0f);
    EXPECT_TRUE(StepSpinner(spin, -3));
    EXPECT_EQ(spin->Control().value, 8.5f);
    EXPECT_FALSE(SelectComboItem(check, 0));  // not a combo box
    EnableWindow(check, FALSE);
    EXPECT_FALSE(ClickButton(check));

    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], std::make_pair(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED)));
    EXPECT_EQ(messages[1], std::make_pair(HWM_SPINNER_CHANGE, MAKEWPARAM(8, 0)));
    DestroyWindow(dlg);
}

TEST(WindowControls, FormatsSpinnerValues) {
    struct Case {
        float v;
        const wchar_t* want;
    } cases[] = {{1.5f, L"1.5"},
                 {256.0f, L"256.0"},
                 {0.25f, L"0.25"},
                 {0.0f, L"0.0"},
                 {1.0f / 3.0f, L"0.333"}};
    for (const Case& c : cases) EXPECT_EQ(FormatSpinnerValue(c.v), c.want);
}

}  // namespace
