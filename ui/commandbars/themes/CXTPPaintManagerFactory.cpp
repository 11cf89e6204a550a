// The paint manager's theme factory: the theme class of each number, and the creator seam.
#include "CXTPPaintManager.h"

#include <map>

#include "CXTPNativeTheme.h"
#include "CXTPTheme0.h"
#include "CXTPTheme1.h"
#include "CXTPTheme2.h"
#include "CXTPTheme4.h"

namespace {

std::map<int, CXTPPaintManager::PFNCREATETHEME>& Creators()
{
    static std::map<int, CXTPPaintManager::PFNCREATETHEME> creators;
    return creators;
}

}  // namespace

CXTPPaintManager* CXTPPaintManager::CreateTheme(int nTheme)
{
    auto it = Creators().find(nTheme);
    CXTPPaintManager* pManager = nullptr;
    if (it != Creators().end()) {
        pManager = it->second();
    } else {
        switch (nTheme) {
        case 0:
            pManager = new CXTPTheme0;
            break;
        case 2:
            pManager = new CXTPTheme2;
            break;
        case 3:
            pManager = new CXTPNativeTheme;
            break;
        case 4:
            pManager = new CXTPTheme4;
            break;
        default:
            pManager = new CXTPTheme1;
            break;
        }
    }
    pManager->m_nTheme = nTheme;
    return pManager;
}

CXTPPaintManager::PFNCREATETHEME CXTPPaintManager::SetThemeCreator(int nTheme, PFNCREATETHEME pfnCreate)
{
    auto& creators = Creators();
    auto it = creators.find(nTheme);
    PFNCREATETHEME pfnPrevious = it != creators.end() ? it->second : nullptr;
    if (pfnCreate)
        creators[nTheme] = pfnCreate;
    else if (it != creators.end())
        creators.erase(it);
    return pfnPrevious;
}
