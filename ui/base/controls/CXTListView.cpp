// The list view host of the list extension.
#include "CXTListView.h"

IMPLEMENT_DYNCREATE(CXTListView, CCtrlView)

CXTListView::CXTListView() : CXTListHost(WC_LISTVIEWA, WS_CHILD | WS_VISIBLE | WS_BORDER) {}

CXTListView::~CXTListView() = default;
