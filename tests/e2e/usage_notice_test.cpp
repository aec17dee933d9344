// With no text the program shows its usage notice, and only that.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "copy_text_to_clipboard.h"
#include "harness.h"

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

// The top-level window captioned "Informazioni" that the process shows.
HWND WaitForNotice(DWORD processId, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        Search search{processId, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                char caption[64] = {};
                GetWindowTextA(window, caption, sizeof caption);
                if (owner == s->processId && IsWindowVisible(window) &&
                    std::string(caption) == "Informazioni") {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    std::string text(4096, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

using Pixels = std::vector<DWORD>;

// 32x32 pixels of a device context, from (x, y).
Pixels Capture(HDC source, int x, int y) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 32, 32, source, x, y, SRCCOPY);
    GdiFlush();
    Pixels pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + 32 * 32);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

// The system icon drawn on a background of one colour.
Pixels Drawn(LPCSTR icon, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, 32, 32};
    FillRect(memory, &all, brush);
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, icon), 32, 32, 0, nullptr, DI_NORMAL);
    Pixels pixels = Capture(memory, 0, 0);
    SelectObject(memory, old);
    DeleteObject(brush);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Whether the control shows this system icon: every pixel the icon covers
// (the same whatever the background) is on screen as drawn.
bool ShowsIcon(HWND control, LPCSTR icon) {
    // Another process's window can only be read through the screen.
    RECT place;
    GetWindowRect(control, &place);
    HDC screen = GetDC(nullptr);
    const Pixels shown = Capture(screen, place.left, place.top);
    ReleaseDC(nullptr, screen);
    const Pixels onBlack = Drawn(icon, RGB(0, 0, 0));
    const Pixels onWhite = Drawn(icon, RGB(255, 255, 255));
    int covered = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (onBlack[i] != onWhite[i]) continue;
        ++covered;
        if ((shown[i] & 0xFFFFFF) != (onBlack[i] & 0xFFFFFF)) return false;
    }
    return covered > 100;
}

class UsageNoticeTest : public testing::TestWithParam<std::string> {};

TEST_P(UsageNoticeTest, ShowsTheNoticeAndLeavesTheClipboard) {
    const std::string before("prima", 6);
    e2e::SeedClipboard({{CF_TEXT, before}});

    e2e::Started started = e2e::Start(GetParam());
    ASSERT_NE(started.process, nullptr);
    HWND notice = WaitForNotice(started.processId, 15000);
    ASSERT_NE(notice, nullptr) << "no window captioned Informazioni appeared";

    std::vector<HWND> buttons, texts, icons;
    for (HWND child : Children(notice)) {
        if (!IsWindowVisible(child)) continue;
        const std::string kind = ClassOf(child);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (kind == "Button") buttons.push_back(child);
        else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON) icons.push_back(child);
        else if (kind == "Static") texts.push_back(child);
    }

    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(TextOf(texts[0]), kUsageText);

    // Icon handles belong to the process that loaded them, so compare what
    // is on screen instead.
    // The box may not be painted yet when it first appears.
    ASSERT_EQ(icons.size(), 1u);
    bool information = false;
    for (int tries = 0; tries < 30 && !information; ++tries, Sleep(100))
        information = ShowsIcon(icons[0], IDI_INFORMATION);
    EXPECT_TRUE(information);
    EXPECT_FALSE(ShowsIcon(icons[0], IDI_WARNING));

    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(GetDlgCtrlID(buttons[0]), IDOK);
    EXPECT_EQ(TextOf(buttons[0]), "OK");

    // Press OK, as a user would.
    SendMessageA(buttons[0], BM_CLICK, 0, 0);
    EXPECT_EQ(e2e::Finish(started), -1);
    EXPECT_EQ(e2e::ReadClipboardText(), before);
}

INSTANTIATE_TEST_SUITE_P(NoText, UsageNoticeTest,
                         testing::Values("appuntex", "appuntex  \t ", "\"C:\\Program Files\\appuntex.exe\"  ",
                                         "\"appuntex.exe testo mai chiuso"));

}  // namespace
