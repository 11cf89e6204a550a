// The stand-in owner's factory of elements.
#include "DockingFixture.h"

#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneTabbedContainer.h"

CXTPDockingPaneBase* TestOwner::CreatePaneOfType(int nType, CXTPDockingPaneOwner* pLayout)
{
    switch (nType) {
    case DPT_PANE:
        return new CXTPDockingPane(pLayout);
    case DPT_TABBED:
        return new CXTPDockingPaneTabbedContainer(pLayout);
    case DPT_SPLITTER:
        return new CXTPDockingPaneSplitterContainer(pLayout);
    case DPT_CLIENT:
        return new CXTPDockingPaneBase(DPT_CLIENT, pLayout);
    default:
        return nullptr;
    }
}
