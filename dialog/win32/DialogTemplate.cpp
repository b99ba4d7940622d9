#include "DialogTemplate.h"

#include "Dpi.h"

namespace {

// Reads the words of a template in order, as laid out by DLGTEMPLATE(EX).
class Reader {
public:
    Reader(const WORD* begin, const WORD* end) : m_begin(begin), m_at(begin), m_end(end) {}

    bool Ok() const { return m_at <= m_end; }
    WORD Word() { return m_at < m_end ? *m_at++ : (m_at++, 0); }
    DWORD Dword() {
        const DWORD low = Word();
        return low | static_cast<DWORD>(Word()) << 16;
    }
    short Short() { return static_cast<short>(Word()); }
    std::wstring String() {
        std::wstring text;
        for (WORD unit = Word(); unit != 0 && Ok(); unit = Word()) text.push_back(static_cast<wchar_t>(unit));
        return text;
    }
    // A name or an ordinal: the ordinal, or 0 for a name (or nothing).
    int NameOrOrdinal() {
        const WORD first = Word();
        if (first == 0xFFFF) return Word();
        if (first != 0) {
            --m_at;
            String();
        }
        return 0;
    }
    void Skip(size_t bytes) { m_at += (bytes + 1) / 2; }
    void AlignToDword() {
        if ((m_at - m_begin) % 2 != 0) ++m_at;
    }

private:
    const WORD* m_begin;
    const WORD* m_at;
    const WORD* m_end;
};

RECT Units(Reader& in) {
    const int x = in.Short(), y = in.Short(), cx = in.Short(), cy = in.Short();
    return RECT{x, y, x + cx, y + cy};
}

}  // namespace

DialogTemplate DialogTemplate::Load(int id) {
    DialogTemplate result;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* words = loaded != nullptr ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    if (words == nullptr) return result;
    Reader in(words, words + SizeofResource(module, found) / sizeof(WORD));

    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    DWORD style = 0;
    if (extended) {
        in.Skip(8);  // version, signature, help id
        in.Dword();  // extended style
        style = in.Dword();
    } else {
        style = in.Dword();
        in.Dword();  // extended style
    }
    const int count = in.Word();
    const RECT frame = Units(in);
    result.units = SIZE{frame.right - frame.left, frame.bottom - frame.top};
    in.NameOrOrdinal();  // menu
    in.NameOrOrdinal();  // window class
    in.String();         // caption
    if ((style & DS_SETFONT) != 0) {
        result.pointSize = in.Word();
        if (extended) {
            result.weight = in.Word();
            const WORD italicAndCharset = in.Word();
            result.italic = (italicAndCharset & 0xFF) != 0;
            result.charset = static_cast<BYTE>(italicAndCharset >> 8);
        }
        result.face = in.String();
    }
    for (int i = 0; i < count && in.Ok(); ++i) {
        in.AlignToDword();
        Control control;
        if (extended) {
            in.Skip(12);  // help id, extended style, style
            control.units = Units(in);
            in.Dword();  // id
        } else {
            in.Skip(8);  // style, extended style
            control.units = Units(in);
            in.Word();  // id
        }
        in.NameOrOrdinal();  // class
        control.imageId = in.NameOrOrdinal();
        const WORD extra = in.Word();  // creation data; the older template counts this word too
        in.Skip(extended || extra < 2 ? extra : extra - 2u);
        result.controls.push_back(control);
    }
    if (!in.Ok()) return DialogTemplate{};
    return result;
}

HFONT DialogTemplate::CreateFontFor(UINT dpi) const {
    const int height96 = MulDiv(pointSize, static_cast<int>(dpi::kBase), 72);
    return CreateFontW(-dpi::Scale(height96, dpi), 0, 0, 0, weight, italic, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       face.c_str());
}

SIZE BaseUnitsOf(HFONT font) {
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    SIZE letters{};
    GetTextMetricsW(screen, &metrics);
    GetTextExtentPoint32W(screen, kLetters, 52, &letters);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}
