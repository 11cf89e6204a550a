// The button image editor on a 16 x 16 alpha picture: a half-transparent red square over
// transparency, a blue frame, the fill tool chosen and the red swatch selected. An argument
// names the interface language (1033, 1031, 1049).
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "AfxResource.h"
#include "CXTPImageEditorDlg.h"
#include "CXTPImageManagerIcon.h"

namespace {

class ShowEditor : public CXTPImageEditorDlg {
public:
    BOOL OnInitDialog() override
    {
        CXTPImageEditorDlg::OnInitDialog();
        SendMessage(WM_COMMAND, XTP_ID_IMAGEEDITOR_RECTANGLE, 0);
        m_wndPicker[14].SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));  // blue
        OnGridButtonDown(CPoint(1, 1));
        OnGridMouseMove(CPoint(14, 14));
        OnGridCaptureLost();
        SendMessage(WM_COMMAND, XTP_ID_IMAGEEDITOR_FILL, 0);
        m_wndPicker[10].SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));  // red
        return TRUE;
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    if (const int nLanguage = std::atoi(lpCmdLine))
        AfxSetResourceLanguage(static_cast<WORD>(nLanguage));
    // Half-transparent red in the middle, the rest empty.
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    DWORD* pWords = static_cast<DWORD*>(pBits);
    std::fill_n(pWords, 256, 0u);
    for (int y = 4; y < 12; y++)
        for (int x = 4; x < 12; x++)
            pWords[y * 16 + x] = 0x80FF0000;
    CXTPImageManagerIconHandle hIcon;
    hIcon.AttachBitmap(hBitmap);
    ShowEditor editor;
    editor.SetIcon(hIcon);
    editor.DoModal();
    return 0;
}
