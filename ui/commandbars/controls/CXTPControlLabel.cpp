// The label control.
#include "CXTPControlLabel.h"

IMPLEMENT_DYNCREATE(CXTPControlLabel, CXTPControl)

CXTPControlLabel::CXTPControlLabel()
{
    m_controlType = xtpControlLabel;
}
