// The message fetch of the loops that run while a bar tracks or a button is held down.
#pragma once

#include <windows.h>

// The next message of the thread; FALSE when the thread is to quit (the request is posted
// again, so the outer loop still ends) or the queue failed.
inline BOOL XTPGetTrackingMessage(MSG* pMsg)
{
    int nGot = ::GetMessageA(pMsg, nullptr, 0, 0);
    if (nGot == 0)
        ::PostQuitMessage(static_cast<int>(pMsg->wParam));
    return nGot > 0;
}
