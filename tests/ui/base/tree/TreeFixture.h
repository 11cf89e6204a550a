// A visible parent window that records (and can veto) tree notifications, and helpers to drive a tree.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CWnd.h"
#include "CXTTreeCtrl.h"

class NotifyParent : public CWnd {
public:
    std::vector<UINT> codes;
    HTREEITEM dragItem = nullptr;
    BOOL vetoSelection = FALSE;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        codes.push_back(header->code);
        if (header->code == TVN_BEGINDRAGA || header->code == TVN_BEGINRDRAGA)
            dragItem = reinterpret_cast<const NMTREEVIEWA*>(lParam)->itemNew.hItem;
        if (vetoSelection && header->code == TVN_SELCHANGINGA) {
            *pResult = 1;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }

    bool Saw(UINT code) const
    {
        for (UINT c : codes)
            if (c == code)
                return true;
        return false;
    }
};

class TreeFixture : public ::testing::Test {
protected:
    // One parent for the whole suite: showing a new top-level window costs seconds under Wine.
    static void SetUpTestSuite()
    {
        parentWindow = new NotifyParent;
        parentWindow->CreateEx(0, CWnd::DefaultClassName(), "Trees", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                               400, nullptr, nullptr);
    }

    static void TearDownTestSuite()
    {
        parentWindow->DestroyWindow();
        delete parentWindow;
        parentWindow = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(parent.m_hWnd, nullptr);
        parent.codes.clear();
        parent.vetoSelection = FALSE;
    }

    void TearDown() override
    {
        SetKeys(false, false);
        tree.DestroyWindow();
        CWnd::DeleteTempMap();
    }

    void MakeTree(DWORD extraStyle)
    {
        ASSERT_TRUE(tree.Create(WS_VISIBLE | WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | extraStyle,
                                CRect(0, 0, 380, 360), &parent, 90));
        base().EnableMultiSelect(TRUE);
    }

    CXTTreeBase& base() { return tree.GetTreeBase(); }

    // Holds Shift and Ctrl as GetKeyState reports them to this thread.
    static void SetKeys(bool shift, bool ctrl)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }

    CPoint LabelPoint(HTREEITEM hItem)
    {
        CRect rect;
        tree.GetItemRect(hItem, &rect, TRUE);
        return rect.CenterPoint();
    }

    // A click on the item's label: the button comes up at once.
    void Click(HTREEITEM hItem, UINT flags, bool left = true)
    {
        CPoint at = LabelPoint(hItem);
        LPARAM pos = MAKELPARAM(at.x, at.y);
        tree.PostMessage(left ? WM_LBUTTONUP : WM_RBUTTONUP, flags, pos);
        tree.SendMessage(left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, flags | (left ? MK_LBUTTON : MK_RBUTTON), pos);
        Drain();
    }

    void Key(UINT key, bool shift, bool ctrl)
    {
        SetKeys(shift, ctrl);
        tree.SendMessage(WM_KEYDOWN, key, 1);
        SetKeys(false, false);
        Drain();
    }

    static void Drain()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    // The selected items by name, in visible order.
    std::string Selected()
    {
        std::string names;
        for (HTREEITEM h = base().GetFirstSelectedItem(); h; h = base().GetNextSelectedItem(h))
            names += (names.empty() ? "" : ",") + std::string(tree.GetItemText(h));
        return names;
    }

    std::string Name(HTREEITEM hItem) { return hItem ? std::string(tree.GetItemText(hItem)) : "-"; }

    static inline NotifyParent* parentWindow = nullptr;
    NotifyParent& parent = *parentWindow;
    CXTTreeCtrl tree;
};
