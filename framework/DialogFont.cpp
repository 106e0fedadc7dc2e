#include "DialogFont.h"

namespace framework {
namespace {

// Fonts that draw Chinese text, one after another, as every Windows system
// (SimSun, the dialog font of a Chinese one) or a Linux one under Wine has
// them. Not const: the executable's size is budgeted, and its read-only
// section is full to the byte where its data section has room.
wchar_t kFallbackFaces[] = L"SimSun\0Noto Sans CJK SC\0WenQuanYi Micro Hei\0";

// A string or ordinal field of a template: its end.
const WORD* SkipField(const WORD* p) {
    if (*p == 0xFFFF) return p + 2;
    while (*p) ++p;
    return p + 1;
}

const WORD* Aligned(const BYTE* base, const WORD* p) {
    return reinterpret_cast<const WORD*>(base + ((reinterpret_cast<const BYTE*>(p) - base + 3) & ~3));
}

// Whether the font selected into dc has a glyph for each character of text
// that is drawn (from the space on; labels are far shorter than the buffer).
bool Draws(HDC dc, const WORD* text) {
    if (*text == 0xFFFF) return true;  // an ordinal, no text
    const auto* chars = reinterpret_cast<const wchar_t*>(text);
    WORD glyphs[256];
    const int n = lstrlenW(chars) < 256 ? lstrlenW(chars) : 256;
    if (GetGlyphIndicesW(dc, chars, n, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) return false;
    for (int i = 0; i < n; ++i)
        if (chars[i] >= L' ' && glyphs[i] == 0xFFFF) return false;
    return true;
}

}  // namespace

// An extended template with a font: 26 bytes of header, then menu, class,
// title, the font's size, weight, italic and character set, and its face;
// then the items, each DWORD-aligned: help ID, styles, place and ID (24
// bytes), class, title, extra data.
const DLGTEMPLATE* DialogTemplateThatDraws(int id, std::wstring& storage) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    if (!found) return nullptr;
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const auto* original = reinterpret_cast<const DLGTEMPLATE*>(base);
    const auto* words = reinterpret_cast<const WORD*>(base);
    if (words[1] != 0xFFFF || !(words[6] & DS_SETFONT)) return original;
    const WORD* size = SkipField(SkipField(SkipField(words + 13)));  // after menu, class, caption
    const auto* face = reinterpret_cast<const wchar_t*>(size + 3);
    const WORD* items = Aligned(base, SkipField(size + 3));

    LOGFONTW font{};
    font.lfWeight = size[1];
    font.lfItalic = static_cast<BYTE>(size[2]);
    font.lfCharSet = static_cast<BYTE>(size[2] >> 8);
    HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(size[0], GetDeviceCaps(screen, LOGPIXELSY), 72);
    const wchar_t* chosen = nullptr;
    for (const wchar_t* tried = face; !chosen && *tried;
         tried = tried == face ? kFallbackFaces : tried + lstrlenW(tried) + 1) {
        lstrcpynW(font.lfFaceName, tried, LF_FACESIZE);
        HFONT made = CreateFontIndirectW(&font);
        const HGDIOBJ old = SelectObject(screen, made);
        bool all = true;  // the caption is not drawn in this font
        const WORD* item = items;
        for (WORD i = 0; all && i < words[8]; ++i) {
            const WORD* text = SkipField(item + 12);
            all = Draws(screen, text);
            const WORD* extra = SkipField(text);
            item = Aligned(base, reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(extra + 1) + *extra));
        }
        // And draws them whole where they stand: measured, the labels fit
        // while a Chinese character is at most 1.75 times the dialog's unit
        // of width (the mean Latin letter), and are cut beyond 1.8.
        wchar_t letters[52];
        for (int i = 0; i < 26; ++i)
            letters[i] = static_cast<wchar_t>(L'A' + i), letters[26 + i] = static_cast<wchar_t>(L'a' + i);
        SIZE latin{}, chinese{};
        GetTextExtentPoint32W(screen, letters, 52, &latin);
        GetTextExtentPoint32W(screen, L"\u56fd", 1, &chinese);
        all = all && 4 * chinese.cx <= 7 * ((latin.cx / 26 + 1) / 2);
        SelectObject(screen, old);
        DeleteObject(made);
        if (all) chosen = tried;
    }
    ReleaseDC(nullptr, screen);
    if (!chosen || chosen == face) return original;

    // The same template with the other face; the items stay DWORD-aligned.
    const auto head = static_cast<std::size_t>(reinterpret_cast<const BYTE*>(face) - base);
    const auto faceSize = static_cast<std::size_t>(lstrlenW(chosen) + 1) * sizeof(wchar_t);
    const std::size_t itemsAt = (head + faceSize + 3) & ~std::size_t{3};
    const std::size_t itemsSize = SizeofResource(module, found) - (reinterpret_cast<const BYTE*>(items) - base);
    storage.assign((itemsAt + itemsSize) / sizeof(wchar_t) + 1, L'\0');
    auto* copy = reinterpret_cast<BYTE*>(storage.data());
    CopyMemory(copy, base, head);
    CopyMemory(copy + head, chosen, faceSize);
    CopyMemory(copy + itemsAt, items, itemsSize);
    return reinterpret_cast<const DLGTEMPLATE*>(copy);
}

}  // namespace framework
