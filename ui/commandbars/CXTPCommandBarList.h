// A list of command bars, one reference held per bar, used while the bar state is saved or loaded.
#pragma once

#include <windows.h>

#include <vector>

class CXTPCommandBar;

class CXTPCommandBarList {
public:
    CXTPCommandBarList() = default;
    ~CXTPCommandBarList();
    CXTPCommandBarList(const CXTPCommandBarList&) = delete;
    CXTPCommandBarList& operator=(const CXTPCommandBarList&) = delete;

    int GetCount() const { return static_cast<int>(m_arrBars.size()); }
    CXTPCommandBar* GetAt(int nIndex) const { return m_arrBars[static_cast<size_t>(nIndex)]; }
    BOOL Contains(const CXTPCommandBar* pBar) const;
    // The first bar of the id, or null.
    CXTPCommandBar* FindBar(UINT nBarID) const;
    // Adds a reference of its own.
    void Add(CXTPCommandBar* pBar);
    // Takes over the caller's reference.
    void Attach(CXTPCommandBar* pBar);
    void RemoveAll();

private:
    std::vector<CXTPCommandBar*> m_arrBars;
};
