// The settings exchange behind the saved layout's records: each section a section of the
// exchange, each value one of its 32-bit integers, BOOLs or strings.
#pragma once

#include <memory>

#include "CXTPPropExchange.h"
#include "DockingPaneLayoutRecords.h"

class DockingPaneLayoutPropExchange : public DockingPaneLayoutExchange {
public:
    // The exchange stays the caller's; it must outlive this object.
    explicit DockingPaneLayoutPropExchange(CXTPPropExchange* pPX) : m_pPX(pPX) {}

    bool IsLoading() const override { return m_pPX->IsLoading() != FALSE; }
    void Section(const char* name) override;
    bool Int(const char* key, int& value, const int* defaultValue) override;
    bool Bool(const char* key, bool& value, bool defaultValue) override;
    bool String(const char* key, std::string& value) override;
    void Schema() override;

private:
    CXTPPropExchange* m_pPX;
    std::unique_ptr<CXTPPropExchange> m_pSection;
};
