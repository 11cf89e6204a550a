// Theme 4: theme 2's gradients from the plain colours, three of them tinted by the colour scheme.
#include "CXTPTheme4.h"

#include "CXTPColorManager.h"

CXTPTheme4::CXTPTheme4() : CXTPTheme2(DeferMetrics())
{
    m_nSchemeMode = 0;  // no scheme palette
    RefreshMetrics();
}

void CXTPTheme4::RefreshMetrics()
{
    CXTPTheme2::RefreshMetrics();
    switch (GetColorManager()->GetCurrentSystemTheme()) {
    case 1:
        m_clrBandEnd = 0xB0C6C7;
        m_clrBarEdge = 0x769292;
        break;
    case 3:
        m_clrBandEnd = 0xC4ACAD;
        m_clrBandStart = 0xFCF5F5;
        m_clrBarEdge = 0x947C7C;
        break;
    default:
        break;
    }
}
