// The button image editor: a modal dialog that paints a button's picture pixel by pixel and
// returns it as an icon.
#pragma once

#include <vector>

#include "CDialog.h"
#include "CXTPImageEditorGrid.h"
#include "CXTPImageEditorPicker.h"
#include "CXTPImageEditorPicture.h"
#include "CXTPImageEditorToolBar.h"
#include "ResourceIds.h"

class CColorDialog;
class CFileDialog;
class CXTPImageManagerIconHandle;

// The colour and file dialogs the editor runs (tests put their own in place); a null member
// runs the system's dialog. TRUE when the user chose (the colour in the dialog, the file's path
// in strPath).
struct CXTPImageEditorChooser {
    BOOL (*pfnChooseColor)(CColorDialog& dialog) = nullptr;
    BOOL (*pfnChooseFile)(CFileDialog& dialog, CString& strPath) = nullptr;
};

class CXTPImageEditorDlg : public CDialog {
public:
    enum Tool { toolPencil, toolFill, toolPicker, toolLine, toolRectangle, toolEllipse };
    enum { swatchCount = 16, maxUndo = 16 };

    explicit CXTPImageEditorDlg(CWnd* pParent = nullptr);

    // Before the dialog runs: the picture becomes the icon's, or an empty one of the size.
    void SetIcon(const CXTPImageManagerIconHandle& hIcon);
    void SetIconSize(CSize size);
    // After OK: the picture as an icon (an alpha bitmap for an alpha picture).
    BOOL GetIcon(CXTPImageManagerIconHandle& hIcon) const;

    // The template comes through the resource manager, in the interface language.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

    static CXTPImageEditorChooser SetChooser(const CXTPImageEditorChooser& chooser);

    const CXTPImageEditorPicture& GetPicture() const { return m_picture; }
    int GetTool() const { return m_nCurrentTool; }
    void SetTool(int nTool);
    COLORREF GetSelectedColor() const;
    CXTPImageEditorPicker* GetSelectedPicker() const { return m_pSelected; }
    size_t GetUndoCount() const { return m_arrUndo.size(); }
    size_t GetRedoCount() const { return m_arrRedo.size(); }
    HCURSOR GetToolCursor() const;

    // The grid's mouse, in cells.
    void OnGridButtonDown(CPoint ptCell);
    void OnGridMouseMove(CPoint ptCell);
    void OnGridCaptureLost();

    // Imports the file as the picture, by its extension; FALSE, nothing changed, when it cannot
    // be read.
    BOOL ImportFile(const char* lpszPath);

    CXTPImageEditorToolBar m_wndTools;
    CXTPImageEditorToolBar m_wndMove;
    CXTPImageEditorPicker m_wndPicker[swatchCount];
    CXTPImageEditorPicker m_wndPickerTransparent;
    CXTPImageEditorPicker m_wndPickerCustom;
    CXTPImageEditorGrid m_wndGrid;
    CXTPImageEditorPreview m_wndPreview;

    // The swatches' colours and ids, row 0 then row 1, column by column.
    struct Swatch {
        COLORREF clr;
        UINT nID;
    };
    static const Swatch m_swatches[swatchCount];

    DECLARE_MESSAGE_MAP()

protected:
    void OnToolCommand(UINT nID);
    void OnUpdateTool(CCmdUI* pCmdUI);
    void OnUpdateUndo(CCmdUI* pCmdUI);
    void OnUpdateRedo(CCmdUI* pCmdUI);
    void OnMove(UINT nID);
    void OnClear();
    void OnUndo();
    void OnRedo();
    void OnCopy();
    void OnPaste();
    void OnImport();
    void OnSwatchClick(UINT nID, NMHDR* pHeader, LRESULT* pResult);
    BOOL OnToolTipText(UINT nID, NMHDR* pHeader, LRESULT* pResult);
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

    void SelectPicker(CXTPImageEditorPicker* pPicker);
    // A change: the picture before it is kept, then committed to the undo list.
    void BeginChange();
    void CommitChange();
    void Redraw();

private:
    CXTPImageEditorPicker* m_pSelected = nullptr;
    int m_nCurrentTool = toolPencil;
    int m_nPreviousTool = toolPencil;
    CSize m_szPicture = CSize(16, 16);
    CXTPImageEditorPicture m_picture;
    CXTPImageEditorPicture m_previous;
    std::vector<CXTPImageEditorPicture> m_arrUndo;
    std::vector<CXTPImageEditorPicture> m_arrRedo;
    BOOL m_bDrawing = FALSE;
    CPoint m_ptStart;
    COLORREF m_clrDraw = 0;
};
