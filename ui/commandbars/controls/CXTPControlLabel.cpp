// The label control.
#include "CArchive.h"
#include "CXTPControlLabel.h"

IMPLEMENT_SERIAL(CXTPControlLabel, CXTPControl, VERSIONABLE_SCHEMA | 0x11)

CXTPControlLabel::CXTPControlLabel()
{
    m_controlType = xtpControlLabel;
}
