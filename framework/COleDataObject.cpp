// The data object wrapper: holding the interface and asking it for a format.
#include "COleDataObject.h"

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
    FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (lpFormatEtc) {
        format = *lpFormatEtc;
        format.cfFormat = cfFormat;
    }
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}
