// What a user sees: the running program's window read back from the screen and
// checked by regions and colours (never byte for byte against a stored image).
#include <algorithm>
#include <string>
#include <vector>

#include "program_session.h"

namespace {

// A piece of the screen or of an off-screen drawing, as 0x00RRGGBB pixels.
struct Picture {
    int width, height;
    std::vector<DWORD> pixels;

    DWORD At(int x, int y) const { return pixels[y * width + x]; }
};

// Draws with the given function into a fresh 32-bit bitmap of the given
// size and returns the result; Capture and Render share it.
template <typename Draw>
Picture Paint(int width, int height, Draw draw) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    draw(dc);
    GdiFlush();
    Picture picture;
    picture.width = width;
    picture.height = height;
    const DWORD* source = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) picture.pixels.push_back(source[i] & 0xFFFFFF);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return picture;
}

Picture Capture(const RECT& area) {
    return Paint(area.right - area.left, area.bottom - area.top, [&](HDC dc) {
        HDC screen = GetDC(NULL);
        BitBlt(dc, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
        ReleaseDC(NULL, screen);
    });
}

// Text as the check box's font draws it, black on the button face.
Picture Render(const wchar_t* text, int width, int height) {
    return Paint(width, height, [&](HDC dc) {
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text, -1, &all, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
        SelectObject(dc, old);
    });
}

std::string Hex(DWORD rgb) {
    char text[8];
    wsprintfA(text, "#%06X", static_cast<unsigned>(rgb));
    return text;
}

DWORD Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

int Channel(DWORD pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

bool Near(DWORD pixel, DWORD colour, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8)
        if (abs(Channel(pixel, shift) - Channel(colour, shift)) > tolerance) return false;
    return true;
}

// Ink: the pixels that text drawn in black leaves clearly darker than the ground.
std::vector<bool> InkOf(const Picture& picture) {
    std::vector<bool> ink;
    for (DWORD pixel : picture.pixels)
        ink.push_back(Channel(pixel, 16) * 3 + Channel(pixel, 8) * 6 + Channel(pixel, 0) < 10 * 128);
    return ink;
}

// The smallest rectangle that holds all of a picture's ink.
struct InkBox {
    int left, top, width, height, count;
};

InkBox BoundsOfInk(const Picture& picture, const std::vector<bool>& ink) {
    int left = picture.width, top = picture.height, right = -1, bottom = -1, count = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (ink[y * picture.width + x]) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                ++count;
            }
    InkBox box = {left, top, right - left + 1, bottom - top + 1, count};
    return box;
}

// How well the reference's ink matches the picture's ink, in the best place
// for it: shared ink over all ink (intersection over union), from 0 to 1.
double BestInkMatch(const Picture& picture, const Picture& reference) {
    std::vector<bool> ink = InkOf(picture), referenceInk = InkOf(reference);
    InkBox text = BoundsOfInk(reference, referenceInk);
    if (!text.count) return 0;
    double best = 0;
    for (int dy = 0; dy + text.height <= picture.height; ++dy)
        for (int dx = 0; dx + text.width <= picture.width; ++dx) {
            int shared = 0, all = 0;
            for (int y = 0; y < text.height; ++y)
                for (int x = 0; x < text.width; ++x) {
                    bool a = ink[(dy + y) * picture.width + dx + x];
                    bool b = referenceInk[(text.top + y) * reference.width + text.left + x];
                    shared += a && b;
                    all += a || b;
                }
            if (all) best = std::max(best, static_cast<double>(shared) / all);
        }
    return best;
}

int DifferingPixels(const Picture& a, const Picture& b) {
    int differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) differing += a.pixels[i] != b.pixels[i];
    return differing;
}

RECT ScreenRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientScreenRect(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    MapWindowPoints(window, NULL, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The mouse out of the way, so that no control shows the hover look.
void ParkMouse() {
    POINT corner = {GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2};
    SetCursorPos(corner.x, corner.y);
    PumpMessages(100);
}

// The check box's square: the left end of the control, as wide as a check mark.
RECT CheckSquare(HWND checkBox) {
    RECT rect = ScreenRect(checkBox);
    rect.right = rect.left + GetSystemMetrics(SM_CXMENUCHECK) + 4;
    return rect;
}

// The caption: the control right of the square.
RECT CaptionArea(HWND checkBox) {
    RECT rect = ScreenRect(checkBox);
    rect.left += GetSystemMetrics(SM_CXMENUCHECK) + 4;
    return rect;
}

// The title bar between the window frame's edges.
RECT TitleBar(HWND window) {
    RECT rect = ScreenRect(window);
    int frameX = GetSystemMetrics(SM_CXFIXEDFRAME), frameY = GetSystemMetrics(SM_CYFIXEDFRAME);
    RECT bar = {rect.left + frameX, rect.top + frameY, rect.right - frameX,
                rect.top + frameY + GetSystemMetrics(SM_CYCAPTION) - 1};
    return bar;
}

}  // namespace

TEST_CASE("the client area is the button face colour") {
    Session session(false);
    ParkMouse();
    DWORD face = Rgb(GetSysColor(COLOR_BTNFACE));
    RECT client = ClientScreenRect(session.window);
    RECT box = ScreenRect(session.checkBox);
    int wrong = 0;
    DWORD example = face;
    auto countWrong = [&] {
        Picture picture = Capture(client);
        wrong = 0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                POINT at = {client.left + x, client.top + y};
                if (PtInRect(&box, at) || picture.At(x, y) == face) continue;
                if (!wrong++) example = picture.At(x, y);
            }
        return wrong == 0;
    };
    CHECK_MESSAGE(WaitFor(countWrong), wrong << " pixels of the client area are not the button face colour "
                                             << Hex(face) << ", for example " << Hex(example));
}

TEST_CASE("the caption is drawn in its own characters") {
    // "青禾铺副屏隐藏" and, for comparison, seven characters that no font has,
    // which show what missing glyphs look like.
    const wchar_t caption[] = L"\x9752\x79BE\x94FA\x526F\x5C4F\x9690\x85CF";
    const wchar_t missing[] = L"\xE000\xE001\xE002\xE003\xE004\xE005\xE006";
    Session session(false);
    ParkMouse();
    RECT area = CaptionArea(session.checkBox);
    int width = area.right - area.left, height = area.bottom - area.top;
    Picture expected = Render(caption, width, height);
    REQUIRE_MESSAGE(BestInkMatch(Render(missing, width, height), expected) < 0.5,
                    "the font draws the caption's characters as missing glyphs: is a Chinese font installed?");
    double match = 0;
    WaitFor([&] { return (match = BestInkMatch(Capture(area), expected)) >= 0.7; });
    CHECK_MESSAGE(match >= 0.7, "the caption on the screen matches the font's drawing of it only to " << match);
}

TEST_CASE("the check mark appears with a click and goes with the next") {
    Session session(false);
    ParkMouse();
    RECT square = CheckSquare(session.checkBox);
    Picture cleared = Capture(square);
    WaitFor([&] { return DifferingPixels(cleared = Capture(square), Capture(square)) == 0; });

    ClickAt(CentreOf(session.checkBox));
    REQUIRE(session.WaitForTicked(true));
    ParkMouse();
    int changed = 0;
    CHECK_MESSAGE(WaitFor([&] { return (changed = DifferingPixels(cleared, Capture(square))) >= 10; }),
                  "ticking changed only " << changed << " pixels of the square");

    ClickAt(CentreOf(session.checkBox));
    REQUIRE(session.WaitForTicked(false));
    ParkMouse();
    CHECK_MESSAGE(WaitFor([&] { return (changed = DifferingPixels(cleared, Capture(square))) == 0; }),
                  "after clearing, " << changed << " pixels of the square still differ from the cleared box");
}

TEST_CASE("the title bar shows the icon and no text") {
    Session session(false);
    ParkMouse();
    RECT bar = TitleBar(session.window);
    int iconSize = GetSystemMetrics(SM_CXSMICON);
    RECT iconArea = {bar.left, bar.top, bar.left + iconSize + 4, bar.bottom};
    int yellow = 0, crimson = 0;
    auto iconShown = [&] {
        Picture icon = Capture(iconArea);
        yellow = crimson = 0;
        for (DWORD pixel : icon.pixels) {
            yellow += Near(pixel, 0xF1F546, 40);
            crimson += Near(pixel, 0xE60A48, 40);
        }
        return yellow >= iconSize * iconSize / 4 && crimson >= 4;
    };
    CHECK_MESSAGE(WaitFor(iconShown), "the title bar's left end has " << yellow << " yellow and " << crimson
                                                                      << " crimson pixels, not the face");

    // Between the icon and the close button the bar may shade from side to
    // side, but text would make some column uneven from top to bottom.
    RECT textArea = {iconArea.right + 2, bar.top + 1, bar.right - GetSystemMetrics(SM_CXSIZE) - 4, bar.bottom - 1};
    Picture title = Capture(textArea);
    int unevenColumns = 0;
    for (int x = 0; x < title.width; ++x)
        for (int y = 1; y < title.height; ++y)
            if (title.At(x, y) != title.At(x, 0)) {
                ++unevenColumns;
                break;
            }
    CHECK_MESSAGE(unevenColumns == 0, unevenColumns << " columns of the title bar carry something drawn");
}
