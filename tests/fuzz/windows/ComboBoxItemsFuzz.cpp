// Fuzz target: the items of a combo box's list as a saved layout gives them back.
#include <windows.h>

#include <cstdint>

#include "CArchive.h"
#include "CException.h"
#include "CMemFile.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlComboBoxList.h"
#include "CXTPPropExchangeArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive archive(&file, CArchive::load);
    CXTPPropExchangeArchive px(archive);
    auto* pComboBox = new CXTPControlComboBox;
    try {
        pComboBox->GetListBox()->ExchangeItems(&px);
    } catch (CException* e) {
        e->Delete();
    }
    pComboBox->InternalRelease();
    return 0;
}
