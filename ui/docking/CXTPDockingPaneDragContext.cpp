// The drag context's record of drags started.
#include "CXTPDockingPaneDragContext.h"

void CXTPDockingPaneDragContext::Drag(CXTPDockingPaneBase* pElement, CPoint pt)
{
    m_arrDrags.push_back({pElement, pt});
}
