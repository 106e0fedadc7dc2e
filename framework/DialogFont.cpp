#include "DialogFont.h"

#include <vector>

#include "Gdi.h"

namespace framework {
namespace {

// The faces tried after the template's own: those every Windows 10/11 has
// (Chinese ones: the labels are Chinese), then those Linux systems have,
// for Wine.
constexpr wchar_t kFallbackFaces[] =
    L"Microsoft YaHei UI\0Microsoft YaHei\0SimSun\0"
    L"Noto Sans CJK SC\0WenQuanYi Micro Hei\0Droid Sans Fallback\0AR PL UMing CN\0";

// How many points larger than the template's the layout may be, the text
// staying at the template's size. The layout follows a face's unit of
// width, the rounded mean of its Latin letters, which grows more slowly
// with the size than its Chinese characters: above 96 DPI no face of a
// Windows system shows every text whole in its own units at 9 points, but
// does in the units of 10 or 11 points. The text keeps its size and the
// dialog grows by a tenth or a fifth.
constexpr int kLayoutSteps[] = {0, 1, 2};

// A string or ordinal field of a template: its end.
const WORD* SkipField(const WORD* p) {
    if (*p == 0xFFFF) return p + 2;
    while (*p) ++p;
    return p + 1;
}

const WORD* Aligned(const BYTE* base, const WORD* p) {
    return reinterpret_cast<const WORD*>(base + ((reinterpret_cast<const BYTE*>(p) - base + 3) & ~3));
}

// What the dialog manager makes of one item of an extended template: the
// control's styles, class, place in dialog units, and text.
struct Item {
    DWORD style;
    bool isButton;
    bool isStatic;  // neither: a control that draws no text of the template
    RECT units;
    const wchar_t* text;
};

bool ClassIs(const WORD* field, WORD atom, const wchar_t* name) {
    return *field == 0xFFFF ? field[1] == atom : lstrcmpiW(reinterpret_cast<const wchar_t*>(field), name) == 0;
}

// An extended template with a font: 26 bytes of header, then menu, class,
// title, the font's size, weight, italic and character set, and its face;
// then the items, each DWORD-aligned: help ID, extended style, style, place
// and ID (24 bytes), class, title, extra data.
struct Template {
    const BYTE* base = nullptr;
    const WORD* size = nullptr;  // the font's size, weight, italic and character set, then its face
    const WORD* items = nullptr;
    std::vector<Item> parsed;

    explicit Template(const BYTE* start) : base(start) {
        const auto* words = reinterpret_cast<const WORD*>(base);
        if (words[1] != 0xFFFF || !(words[6] & DS_SETFONT)) return;
        size = SkipField(SkipField(SkipField(words + 13)));  // after menu, class, caption
        items = Aligned(base, SkipField(size + 3));
        const WORD* item = items;
        for (WORD i = 0; i < words[8]; ++i) {
            const WORD* type = item + 12;
            const WORD* text = SkipField(type);
            const WORD* extra = SkipField(text);
            const DWORD style = MAKELONG(item[4], item[5]);
            const auto x = static_cast<short>(item[6]), y = static_cast<short>(item[7]);
            const auto cx = static_cast<short>(item[8]), cy = static_cast<short>(item[9]);
            parsed.push_back({style, ClassIs(type, 0x80, L"Button"), ClassIs(type, 0x82, L"Static"),
                              {x, y, x + cx, y + cy},
                              *text == 0xFFFF ? L"" : reinterpret_cast<const wchar_t*>(text)});
            item = Aligned(base, reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(extra + 1) + *extra));
        }
    }
    const wchar_t* Face() const { return reinterpret_cast<const wchar_t*>(size + 3); }
};

// Whether the font selected into dc has a glyph for each character of text
// that is drawn (from the space on).
bool Draws(HDC dc, const wchar_t* text) {
    const int n = lstrlenW(text);
    std::vector<WORD> glyphs(static_cast<std::size_t>(n));
    if (n && GetGlyphIndicesW(dc, text, n, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) return false;
    for (int i = 0; i < n; ++i)
        if (text[i] >= L' ' && glyphs[static_cast<std::size_t>(i)] == 0xFFFF) return false;
    return true;
}

// The room a control's text has and how the control lays it out, as the
// system's static and button controls draw: statics wrap at their width
// and show the lines their height holds; buttons, check boxes and group
// captions keep one line, inside their frame, beside the box, or over the
// frame with a gap either side. Zero width: the control draws no text of
// the template (an owner-drawn button, an edit box, a list).
struct Room {
    int width;
    int height;
    UINT format;
};

Room RoomFor(const Item& item, const RECT& pixels, int unit) {
    const int width = pixels.right - pixels.left, height = pixels.bottom - pixels.top;
    if (item.isStatic) {
        switch (item.style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT: return {width, height, DT_WORDBREAK | DT_EXPANDTABS};
        case SS_LEFTNOWORDWRAP: return {width, height, DT_SINGLELINE | DT_EXPANDTABS};
        default: return {};
        }
    }
    if (!item.isButton) return {};
    const UINT lines = (item.style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    const int edge = GetSystemMetrics(SM_CXEDGE);
    switch (item.style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return {width - 2 * (edge + 1), height - 2 * edge, lines};
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return {width - GetSystemMetrics(SM_CXMENUCHECK) - 2 * edge, height, lines};
    case BS_GROUPBOX: return {width - 2 * unit, height, DT_SINGLELINE};
    default: return {};
    }
}

// Whether every text of the template shows whole, with all its glyphs, in
// the font selected into dc, laid out in the given units.
bool ShowsEveryText(HDC dc, const Template& dialog, int unitX, int unitY) {
    for (const Item& item : dialog.parsed) {
        if (!Draws(dc, item.text)) return false;
        if (!*item.text) continue;
        // Placed as the dialog manager places it: corner and size apart.
        const RECT pixels{0, 0, MulDiv(item.units.right - item.units.left, unitX, 4),
                          MulDiv(item.units.bottom - item.units.top, unitY, 8)};
        const Room room = RoomFor(item, pixels, unitX);
        if (room.width <= 0) continue;
        RECT need{0, 0, room.width, room.height};
        DrawTextW(dc, item.text, -1, &need, room.format | DT_CALCRECT);
        if (need.right > room.width || need.bottom > room.height) return false;
    }
    return true;
}

// The first face the screen has among the candidates, and the size of
// layout, that show every text whole: the face is null when none does.
struct Choice {
    const wchar_t* face = nullptr;
    int layoutPoints = 0;
};

Choice ChooseFont(const Template& dialog, LOGFONTW& font) {
    const WORD* size = dialog.size;
    font.lfWeight = size[1];
    font.lfItalic = static_cast<BYTE>(size[2]);
    font.lfCharSet = static_cast<BYTE>(size[2] >> 8);
    const CClientDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Handle(), LOGPIXELSY);
    const wchar_t* face = dialog.Face();
    for (const int step : kLayoutSteps) {
        for (const wchar_t* tried = face; *tried; tried = tried == face ? kFallbackFaces : tried + lstrlenW(tried) + 1) {
            lstrcpynW(font.lfFaceName, tried, LF_FACESIZE);
            font.lfHeight = -MulDiv(size[0] + step, dpi, 72);
            const CGdiObject<HFONT> layout(CreateFontIndirectW(&font));
            int unitX = 0, unitY = 0;
            {
                const CSelection selected(screen.Handle(), layout.Get());
                // A face the system lacks is stood in for by another: that one is
                // not the candidate. The template's face is a name the system maps.
                wchar_t got[LF_FACESIZE] = {};
                GetTextFaceW(screen.Handle(), LF_FACESIZE, got);
                if (tried != face && lstrcmpiW(got, tried) != 0) continue;
                TEXTMETRICW metrics{};
                GetTextMetricsW(screen.Handle(), &metrics);
                unitX = DialogUnitWidth(screen.Handle()), unitY = metrics.tmHeight;
            }
            font.lfHeight = -MulDiv(size[0], dpi, 72);
            const CGdiObject<HFONT> text(CreateFontIndirectW(&font));
            const CSelection selected(screen.Handle(), text.Get());
            if (ShowsEveryText(screen.Handle(), dialog, unitX, unitY)) return {tried, size[0] + step};
        }
    }
    return {};
}

}  // namespace

int DialogUnitWidth(HDC dc) {
    constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPoint32W(dc, kLetters, 52, &letters);
    return static_cast<int>((letters.cx / 26 + 1) / 2);
}

const DLGTEMPLATE* DialogTemplateThatFits(int id, std::wstring& storage, LOGFONTW& textFont) {
    textFont = {};
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    if (!found) return nullptr;
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const auto* original = reinterpret_cast<const DLGTEMPLATE*>(base);
    const Template dialog(base);
    if (!dialog.size) return original;
    LOGFONTW font{};
    const Choice chosen = ChooseFont(dialog, font);
    if (!chosen.face) return original;
    if (chosen.layoutPoints != dialog.size[0]) textFont = font;
    if (chosen.face == dialog.Face() && chosen.layoutPoints == dialog.size[0]) return original;

    // The same template with the other face and size; the items stay DWORD-aligned.
    const auto head = static_cast<std::size_t>(reinterpret_cast<const BYTE*>(dialog.Face()) - base);
    const auto faceSize = static_cast<std::size_t>(lstrlenW(chosen.face) + 1) * sizeof(wchar_t);
    const std::size_t itemsAt = (head + faceSize + 3) & ~std::size_t{3};
    const std::size_t itemsSize =
        SizeofResource(module, found) - (reinterpret_cast<const BYTE*>(dialog.items) - base);
    storage.assign((itemsAt + itemsSize) / sizeof(wchar_t) + 1, L'\0');
    auto* copy = reinterpret_cast<BYTE*>(storage.data());
    CopyMemory(copy, base, head);
    const auto points = static_cast<WORD>(chosen.layoutPoints);
    CopyMemory(copy + (reinterpret_cast<const BYTE*>(dialog.size) - base), &points, sizeof points);
    CopyMemory(copy + head, chosen.face, faceSize);
    CopyMemory(copy + itemsAt, dialog.items, itemsSize);
    return reinterpret_cast<const DLGTEMPLATE*>(copy);
}

}  // namespace framework
