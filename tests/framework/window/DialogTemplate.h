// Builds dialog templates in memory for the tests: a caption and a list of controls.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

class DialogTemplate {
public:
    DialogTemplate(const char* caption, short cx, short cy, DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME)
    {
        DLGTEMPLATE header{};
        header.style = style;
        header.cx = cx;
        header.cy = cy;
        Append(&header, sizeof(header));
        Word(0);  // no menu
        Word(0);  // the standard dialog class
        Text(caption);
    }

    // atom: 0x80 button, 0x81 edit, 0x82 static, 0x83 list box, 0x85 combo box.
    DialogTemplate& Item(WORD atom, WORD id, const char* text, DWORD style, short x, short y, short cx, short cy)
    {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof(item));
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0);  // no creation data
        ++reinterpret_cast<DLGTEMPLATE*>(m_bytes.data())->cdit;
        return *this;
    }

    LPCDLGTEMPLATEA Get() const { return reinterpret_cast<LPCDLGTEMPLATEA>(m_bytes.data()); }
    size_t Size() const { return m_bytes.size(); }

private:
    void Append(const void* data, size_t size)
    {
        const auto* p = static_cast<const unsigned char*>(data);
        m_bytes.insert(m_bytes.end(), p, p + size);
    }
    void Word(WORD w) { Append(&w, sizeof(w)); }
    void Text(const char* text)
    {
        for (const char* c = text; *c; ++c)
            Word(static_cast<unsigned char>(*c));
        Word(0);
    }

    std::vector<unsigned char> m_bytes;  // grows by whole items, so it is re-read after each
};
