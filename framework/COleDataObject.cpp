// The data object wrapper: holding the interface and asking it for a format.
#include "COleDataObject.h"

#include <cstring>

namespace {

// The entry asked for: the caller's with the format put in, else a global memory block.
FORMATETC Format(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (lpFormatEtc) {
        format = *lpFormatEtc;
        format.cfFormat = cfFormat;
    }
    return format;
}

}  // namespace

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT data = m_lpDataObject;
    m_lpDataObject = nullptr;
    return data;
}

void COleDataObject::Release()
{
    if (m_lpDataObject && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    if (!m_lpDataObject)
        return FALSE;
    FORMATETC format = Format(cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    if (!m_lpDataObject)
        return nullptr;
    FORMATETC format = Format(cfFormat, lpFormatEtc);
    format.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium = {};
    if (m_lpDataObject->GetData(&format, &medium) != S_OK)
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) {
        ::ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (!medium.pUnkForRelease)
        return medium.hGlobal;  // ours now
    // The block stays the source's: hand out a copy.
    HGLOBAL hCopy = nullptr;
    const SIZE_T nSize = ::GlobalSize(medium.hGlobal);
    const void* pSource = ::GlobalLock(medium.hGlobal);
    if (pSource && (hCopy = ::GlobalAlloc(GMEM_MOVEABLE, nSize)) != nullptr) {
        if (void* pTarget = ::GlobalLock(hCopy)) {
            std::memcpy(pTarget, pSource, nSize);
            ::GlobalUnlock(hCopy);
        } else {
            ::GlobalFree(hCopy);
            hCopy = nullptr;
        }
    }
    if (pSource)
        ::GlobalUnlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return hCopy;
}
