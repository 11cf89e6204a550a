// The saved layout's records through the settings exchange.
#include "DockingPaneLayoutPropExchange.h"

#include "CString.h"

void DockingPaneLayoutPropExchange::Section(const char* name)
{
    m_pSection.reset(m_pPX->GetSection(name));
}

bool DockingPaneLayoutPropExchange::Int(const char* key, int& value, const int* defaultValue)
{
    long number = value;
    long fallback = defaultValue ? *defaultValue : 0;
    BOOL ok = defaultValue ? PX_LongDefault(m_pSection.get(), key, number, fallback)
                           : PX_Long(m_pSection.get(), key, number);
    if (IsLoading() && ok)
        value = static_cast<int>(number);
    return ok != FALSE;
}

bool DockingPaneLayoutPropExchange::Bool(const char* key, bool& value, bool defaultValue)
{
    BOOL flag = value ? TRUE : FALSE;
    BOOL ok = PX_Bool(m_pSection.get(), key, flag, defaultValue ? TRUE : FALSE);
    if (IsLoading() && ok)
        value = flag != FALSE;
    return ok != FALSE;
}

bool DockingPaneLayoutPropExchange::String(const char* key, std::string& value)
{
    CString text(value.c_str());
    BOOL ok = PX_String(m_pSection.get(), key, text);
    if (IsLoading() && ok)
        value = static_cast<const char*>(text);
    return ok != FALSE;
}

void DockingPaneLayoutPropExchange::Schema()
{
    m_pSection->ExchangeSchema();
}
