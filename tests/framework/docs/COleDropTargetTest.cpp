// Drop targets: registration on a window and the system's drag calls reaching the handlers.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "COleDropTarget.h"
#include "CWnd.h"

namespace {

// Records what reached it and answers with the effect it is told to.
class RecordingTarget : public COleDropTarget {
public:
    DROPEFFECT answer = DROPEFFECT_COPY;
    BOOL takeDrop = TRUE;
    std::vector<CString> calls;
    CPoint lastPoint;
    DWORD lastKeys = 0;
    BOOL textOffered = FALSE;
    DROPEFFECT dropEffect = DROPEFFECT_NONE;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override
    {
        calls.push_back("enter");
        textOffered = data->IsDataAvailable(CF_TEXT);
        lastKeys = keys;
        lastPoint = point;
        return answer;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD keys, CPoint point) override
    {
        calls.push_back("over");
        lastKeys = keys;
        lastPoint = point;
        return answer;
    }
    void OnDragLeave(CWnd*) override { calls.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject*, DROPEFFECT effect, CPoint point) override
    {
        calls.push_back("drop");
        dropEffect = effect;
        lastPoint = point;
        return takeDrop;
    }
};

class COleDropTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        ASSERT_TRUE(window.CreateEx(0, CWnd::DefaultClassName(), "Drop", WS_POPUP, 100, 120, 300, 200, nullptr, nullptr));
        // Text on the clipboard gives a data object that offers it.
        ASSERT_TRUE(::OpenClipboard(window.m_hWnd));
        ::EmptyClipboard();
        HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 6);
        std::memcpy(::GlobalLock(text), "drag!", 6);
        ::GlobalUnlock(text);
        ::SetClipboardData(CF_TEXT, text);
        ::CloseClipboard();
        ASSERT_EQ(::OleGetClipboard(&data), S_OK);
    }
    void TearDown() override
    {
        if (data)
            data->Release();
        window.DestroyWindow();
        CWnd::DeleteTempMap();
        ::OleUninitialize();
    }

    // A screen point at the client point.
    POINTL At(int x, int y)
    {
        POINT p = {x, y};
        ::ClientToScreen(window.m_hWnd, &p);
        return POINTL{p.x, p.y};
    }

    CWnd window;
    IDataObject* data = nullptr;
};

TEST_F(COleDropTargetTest, DragReachesTheHandlersInClientCoordinates)
{
    RecordingTarget target;
    ASSERT_TRUE(target.Register(&window));
    EXPECT_EQ(::RegisterDragDrop(window.m_hWnd, target.GetDropTarget()), DRAGDROP_E_ALREADYREGISTERED);
    IDropTarget* drop = target.GetDropTarget();

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(drop->DragEnter(data, MK_LBUTTON, At(10, 20), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(target.textOffered);
    EXPECT_EQ(target.lastPoint, CPoint(10, 20));
    EXPECT_EQ(target.lastKeys, static_cast<DWORD>(MK_LBUTTON));

    // An effect the source does not allow is none.
    effect = DROPEFFECT_MOVE;
    EXPECT_EQ(drop->DragOver(MK_LBUTTON | MK_CONTROL, At(30, 40), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(target.lastPoint, CPoint(30, 40));
    EXPECT_EQ(target.lastKeys, static_cast<DWORD>(MK_LBUTTON | MK_CONTROL));

    effect = DROPEFFECT_COPY;
    EXPECT_EQ(drop->Drop(data, 0, At(50, 60), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target.dropEffect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target.lastPoint, CPoint(50, 60));
    EXPECT_EQ(target.calls, (std::vector<CString>{"enter", "over", "over", "drop"}));

    // A drop the target answers with none, or declines, is a leave.
    target.calls.clear();
    effect = DROPEFFECT_COPY;
    drop->DragEnter(data, MK_LBUTTON, At(1, 1), &effect);
    target.takeDrop = FALSE;
    EXPECT_EQ(drop->Drop(data, 0, At(1, 1), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target.answer = DROPEFFECT_NONE;
    drop->DragEnter(data, MK_LBUTTON, At(1, 1), &effect);
    drop->DragLeave();
    EXPECT_EQ(target.calls, (std::vector<CString>{"enter", "over", "drop", "leave", "enter", "leave"}));
    EXPECT_EQ(drop->DragOver(0, At(1, 1), nullptr), E_INVALIDARG);

    // Revoked, the window takes another target; the references the system held are given back.
    target.Revoke();
    EXPECT_EQ(target.GetRefCount(), 1u);
    RecordingTarget second;
    EXPECT_TRUE(second.Register(&window));
    EXPECT_FALSE(second.Register(&window));  // already registered
}

TEST_F(COleDropTargetTest, RegistrationNeedsAWindowAndEndsWithTheTarget)
{
    RecordingTarget unregistered;
    EXPECT_FALSE(unregistered.Register(nullptr));
    CWnd none;
    EXPECT_FALSE(unregistered.Register(&none));
    {
        RecordingTarget scoped;
        ASSERT_TRUE(scoped.Register(&window));
    }
    // The destroyed target left the window free.
    RecordingTarget next;
    EXPECT_TRUE(next.Register(&window));
    // Calls after the target let go of its window do nothing.
    next.Revoke();
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(next.GetDropTarget()->DragEnter(data, 0, At(1, 1), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(next.calls.empty());
}

}  // namespace
