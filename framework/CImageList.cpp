// Image lists: the list map, creation from sizes or bitmap resources, pictures and drawing.
#include "CImageList.h"

#include "AfxResource.h"
#include "CDC.h"
#include "HandleMap.h"

struct ImageListMapAccess {
    static void Forget(CImageList* list) { list->m_hImageList = nullptr; }
};

namespace {

HandleMap<HIMAGELIST, CImageList>& Map()
{
    thread_local HandleMap<HIMAGELIST, CImageList> map(&ImageListMapAccess::Forget);
    return map;
}

BOOL Keep(CImageList& list, HIMAGELIST hImageList)
{
    return Map().Adopt(hImageList, list.m_hImageList, &list, ImageList_Destroy);
}

HBITMAP HandleOf(CBitmap* bitmap)
{
    return bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr;
}

} // namespace

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return Map().FromHandle(hImageList, [](HIMAGELIST handle) {
        auto* list = new CImageList;
        list->m_hImageList = handle;
        return list;
    });
}

void CImageList::DeleteTempMap()
{
    Map().DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    return Map().Attach(hImageList, m_hImageList, this);
}

HIMAGELIST CImageList::Detach()
{
    return Map().Detach(m_hImageList, this);
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Keep(*this, ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Keep(*this, ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask,
                                            IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::DeleteImageList()
{
    HIMAGELIST hImageList = Detach();
    return hImageList ? ImageList_Destroy(hImageList) : FALSE;
}

int CImageList::GetImageCount() const
{
    return ImageList_GetImageCount(m_hImageList);
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
    return ImageList_SetImageCount(m_hImageList, uNewCount);
}

BOOL CImageList::GetIconSize(int& cx, int& cy) const
{
    return ImageList_GetIconSize(m_hImageList, &cx, &cy);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, HandleOf(pbmImage), HandleOf(pbmMask));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, HandleOf(pbmImage), crMask);
}

int CImageList::Add(HICON hIcon)
{
    return ImageList_AddIcon(m_hImageList, hIcon);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, HandleOf(pbmImage), HandleOf(pbmMask));
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return ImageList_Remove(m_hImageList, nImage);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return ImageList_SetBkColor(m_hImageList, cr);
}

COLORREF CImageList::GetBkColor() const
{
    return ImageList_GetBkColor(m_hImageList);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return pDC && ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

HICON CImageList::ExtractIcon(int nImage)
{
    return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}
