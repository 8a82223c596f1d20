#include <gtest/gtest.h>

#include <string>

#include "DragDrop.h"
#include "WindowControls.h"

namespace {

// A dialog accepting files, with a button at (60, 20)-(120, 40) and a hidden button over it.
class DropFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dlg = CreateHostWindow({WC_DIALOG,
                                L"",
                                WS_VISIBLE,
                                WS_EX_ACCEPTFILES,
                                0,
                                {0, 0, 200, 100},
                                [this](HWND, UINT msg, WPARAM w, LPARAM) -> INT_PTR {
                                    if (msg != WM_DROPFILES) return 0;
                                    HDROP drop = reinterpret_cast<HDROP>(w);
                                    DragQueryPoint(drop, &point);
                                    count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
                                    wchar_t buffer[160];
                                    DragQueryFileW(drop, 0, buffer, 160);
                                    first = buffer;
                                    DragFinish(drop);
                                    return 1;
                                }},
                               nullptr);
        button = CreateHostWindow(
            {WC_CUSTBUTTON, L"", WS_VISIBLE, 0, 10, {60, 20, 120, 40}, ControlWindowProc}, dlg);
    }
    void TearDown() override {
        DestroyWindow(dlg);
        EXPECT_EQ(OpenDropCount(), 0u);
    }
    HWND dlg = nullptr;
    HWND button = nullptr;
    POINT point{-1, -1};
    UINT count = 0;
    std::wstring first;
};

TEST_F(DropFixture, ADropOnAnAcceptingControlReachesTheDialogInItsCoordinates) {
    DragAcceptFiles(button, TRUE);
    ASSERT_TRUE(DropFiles(dlg, POINT{70, 25}, {L"a.png", L"b.png", L"c.png"}));
    EXPECT_EQ(point.x, 70);
    EXPECT_EQ(point.y, 25);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(first, L"a.png");
}

TEST_F(DropFixture, ADropOffControlsGoesToTheNearestAcceptingWindow) {
    ASSERT_TRUE(DropFiles(dlg, POINT{5, 5}, {L"x"}));
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(point.y, 5);
    DragAcceptFiles(dlg, FALSE);
    EXPECT_FALSE(DropFiles(dlg, POINT{5, 5}, {L"x"}));
    EXPECT_FALSE(DropFiles(dlg, POINT{200, 5}, {L"x"}));  // outside
}

TEST_F(DropFixture, APathLongerThanTheBufferIsCut) {
    const std::wstring path = L"C:\\" + std::wstring(300, L'p') + L".png";
    ASSERT_TRUE(DropFiles(dlg, POINT{5, 5}, {path}));
    EXPECT_EQ(first, path.substr(0, 159));
}

TEST(DragQueryFile, BufferSizesAndIndices) {
    HDROP captured = nullptr;
    HWND w =
        CreateHostWindow({WC_DIALOG,
                          L"",
                          WS_VISIBLE,
                          WS_EX_ACCEPTFILES,
                          0,
                          {0, 0, 10, 10},
                          [&](HWND, UINT msg, WPARAM wp, LPARAM) -> INT_PTR {
                              if (msg != WM_DROPFILES) return 0;
                              HDROP h = reinterpret_cast<HDROP>(wp);
                              wchar_t buf[8] = {L'?', L'?', L'?', L'?', L'?', L'?', L'?', L'?'};
                              EXPECT_EQ(DragQueryFileW(h, 0, nullptr, 0), 6u);
                              EXPECT_EQ(DragQueryFileW(h, 0, buf, 4), 3u);
                              EXPECT_EQ(std::wstring(buf), L"abc");
                              EXPECT_EQ(DragQueryFileW(h, 0, buf, 7), 6u);
                              EXPECT_EQ(std::wstring(buf), L"abcdef");
                              EXPECT_EQ(DragQueryFileW(h, 0, buf, 0), 0u);
                              EXPECT_EQ(DragQueryFileW(h, 1, buf, 8), 0u);
                              captured = h;  // not released: the host releases it
                              return 0;
                          }},
                         nullptr);
    ASSERT_TRUE(DropFiles(w, POINT{1, 1}, {L"abcdef"}));
    // A released handle answers nothing.
    EXPECT_EQ(DragQueryFileW(captured, 0xFFFFFFFF, nullptr, 0), 0u);
    POINT pt;
    EXPECT_FALSE(DragQueryPoint(captured, &pt));
    EXPECT_EQ(OpenDropCount(), 0u);
    DestroyWindow(w);
}

}  // namespace
