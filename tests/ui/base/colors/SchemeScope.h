// A colour scheme chosen by a test: the visual style reads as it while the scope lives.
#pragma once

#include <windows.h>

#include "CXTPColorManager.h"

// While it lives, the visual style reads as the given colour scheme (0 none, 1 blue,
// 2 olive, 3 silver); the process-wide colour table is rebuilt on entry and exit.
class SchemeScope {
public:
    explicit SchemeScope(int scheme)
    {
        s_scheme = scheme;
        CXTPColorManager::Environment environment;
        environment.pfnGetCurrentThemeName = ThemeName;
        previous = CXTPColorManager::SetEnvironment(environment);
        GetColorManager()->RefreshColors();
    }
    ~SchemeScope()
    {
        CXTPColorManager::SetEnvironment(previous);
        GetColorManager()->RefreshColors();
    }

private:
    static HRESULT ThemeName(LPWSTR fileName, int fileChars, LPWSTR colorName, int colorChars)
    {
        static const wchar_t* colors[] = {L"", L"NormalColor", L"HomeStead", L"Metallic"};
        if (s_scheme == 0)
            return E_FAIL;
        lstrcpynW(fileName, L"C:\\Windows\\Resources\\Themes\\Luna\\Luna.msstyles", fileChars);
        lstrcpynW(colorName, colors[s_scheme], colorChars);
        return S_OK;
    }
    static inline int s_scheme = 0;
    CXTPColorManager::Environment previous;
};
