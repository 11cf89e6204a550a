// The view host of the tree extension.
#include "CXTTreeView.h"

IMPLEMENT_DYNCREATE(CXTTreeView, CCtrlView)

CXTTreeView::CXTTreeView() : CXTTreeHost("SysTreeView32", WS_CHILD | WS_VISIBLE | WS_BORDER) {}

CXTTreeView::~CXTTreeView() = default;
