// The colour table: system colours, derived colours with contrast rules, scheme gradients.
#include "CXTPColorManager.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <cwchar>
#include <iterator>
#include <string>

#include "CXTPUxTheme.h"

namespace {

CXTPColorManager::Environment g_environment;

// The weighted colour space: red, green and blue weighed 195 : 390 : 65.
const double kMax[3] = {195.0, 390.0, 65.0};

struct Vec {
    double v[3];
};

Vec Weighted(COLORREF clr)
{
    return {{GetRValue(clr) * 195.0 / 255.0, GetGValue(clr) * 390.0 / 255.0, GetBValue(clr) * 65.0 / 255.0}};
}

double Dot(const Vec& a, const Vec& b)
{
    return a.v[0] * b.v[0] + a.v[1] * b.v[1] + a.v[2] * b.v[2];
}

double Length(const Vec& a)
{
    return std::sqrt(Dot(a, a));
}

Vec Invert(const Vec& a)
{
    return {{kMax[0] - a.v[0], kMax[1] - a.v[1], kMax[2] - a.v[2]}};
}

// Clamped to the space, mapped back to 0..255 and rounded half up.
COLORREF FromWeighted(const Vec& a)
{
    int channel[3];
    for (int i = 0; i < 3; ++i) {
        double value = std::min(std::max(a.v[i], 0.0), kMax[i]) * 255.0 / kMax[i];
        channel[i] = std::min(std::max(static_cast<int>(std::floor(value + 0.5)), 0), 255);
    }
    return RGB(channel[0], channel[1], channel[2]);
}

// The threshold scaled by the brightness of the reference: dark colours get up to twice it.
double ScaledThreshold(COLORREF clrReference, double dThreshold)
{
    int brightness = static_cast<int>(Length(Weighted(clrReference)));
    return (2.0 - std::min(brightness, 220) * 0.0045454544) * static_cast<int>(dThreshold);
}

int MaxChannel(COLORREF clr)
{
    return std::max({GetRValue(clr), GetGValue(clr), GetBValue(clr)});
}

COLORREF ScaleChannels(COLORREF clr, int numerator, int denominator)
{
    return RGB(GetRValue(clr) * numerator / denominator, GetGValue(clr) * numerator / denominator,
               GetBValue(clr) * numerator / denominator);
}

HRESULT DefaultCurrentThemeName(LPWSTR fileName, int fileChars, LPWSTR colorName, int colorChars)
{
    return CXTPUxTheme::GetCurrentThemeName(fileName, fileChars, colorName, colorChars, nullptr, 0);
}

// The colour belongs to the current theme: it is asked again only under another one. Opening
// theme data costs a round trip to the server under Wine, and every paint manager refreshes the
// colours as it is made.
BOOL DefaultTreeBorderColor(COLORREF* pColor)
{
    static bool known = false;
    static std::wstring knownTheme;
    static BOOL found = FALSE;
    static COLORREF color = 0;
    WCHAR fileName[MAX_PATH] = {};
    WCHAR colorName[MAX_PATH] = {};
    std::wstring current;
    if (SUCCEEDED(DefaultCurrentThemeName(fileName, MAX_PATH, colorName, MAX_PATH))) {
        fileName[MAX_PATH - 1] = 0;
        colorName[MAX_PATH - 1] = 0;
        current = std::wstring(fileName) + L'|' + colorName;
    }
    if (!known || current != knownTheme) {
        CXTPUxTheme theme;
        theme.OpenThemeData(nullptr, L"TREEVIEW");
        found = theme.GetThemeHandle() && SUCCEEDED(theme.GetThemeColor(0, 0, 3801, &color));
        known = true;
        knownTheme = current;
    }
    if (found)
        *pColor = color;
    return found;
}

struct SchemeRow {
    COLORREF clr54;
    COLORREF gradient[4][2];
};

const SchemeRow kSchemes[3] = {
    {0x962D00, {{0xD68759, 0x962D00}, {0xF5BE9E, 0xFADAC4}, {0xD68759, 0x962D00}, {0xFEECDD, 0xE2A981}}},
    {0x588060, {{0x82C0AF, 0x447A63}, {0xA7D9D9, 0xE4F1F2}, {0x6F8E78, 0x435B49}, {0xDEF7F4, 0x91C6B7}}},
    {0x947C7C, {{0xBFA7A8, 0x916F70}, {0xE5D7D7, 0xF7F3F3}, {0xBFA7A8, 0x977677}, {0xFAF4F3, 0xB59799}}},
};

}  // namespace

CXTPColorManager::CXTPColorManager()
{
    std::fill(std::begin(m_arrCustomColor), std::end(m_arrCustomColor), (COLORREF)-1);
    RefreshColors(FALSE);
}

int XTPScreenBitsPerPixel()
{
    static const int bits = [] {
        HWND desktop = ::GetDesktopWindow();
        HDC hdc = ::GetDC(desktop);
        const int depth = hdc ? ::GetDeviceCaps(hdc, BITSPIXEL) : 0;
        if (hdc)
            ::ReleaseDC(desktop, hdc);
        return depth;
    }();
    return bits;
}

CXTPColorManager* GetColorManager()
{
    static CXTPColorManager manager;
    return &manager;
}

CXTPColorManager::Environment CXTPColorManager::SetEnvironment(const Environment& environment)
{
    Environment previous = g_environment;
    g_environment = environment;
    return previous;
}

COLORREF CXTPColorManager::GetColor(int nIndex) const
{
    if (nIndex > XPCOLOR_LAST || nIndex < 0)
        return static_cast<COLORREF>(nIndex);
    return m_arrCustomColor[nIndex] != (COLORREF)-1 ? m_arrCustomColor[nIndex] : m_arrStandardColor[nIndex];
}

void CXTPColorManager::SetColor(int nIndex, COLORREF clr)
{
    if (nIndex >= 0 && nIndex <= XPCOLOR_LAST)
        m_arrCustomColor[nIndex] = clr;
}

COLORREF CXTPColorManager::GetStandardColor(int nIndex) const
{
    return nIndex >= 0 && nIndex <= XPCOLOR_LAST ? m_arrStandardColor[nIndex] : static_cast<COLORREF>(nIndex);
}

COLORREF CXTPColorManager::SysColor(int nIndex) const
{
    if (m_pfnGetSysColor)
        return m_pfnGetSysColor(nIndex);
    return ::GetSysColor(nIndex);
}

COLORREF CXTPColorManager::BlendColors(COLORREF clrA, COLORREF clrB, int nWeight)
{
    // Weights out of 100 divide by 100 (100 itself included: the first colour alone).
    const int divisor = nWeight <= 100 ? 100 : 1000;
    const int weight = std::min(std::max(nWeight, 0), divisor);
    auto mix = [&](int a, int b) { return (a * weight + b * (divisor - weight) + divisor / 2) / divisor; };
    return RGB(mix(GetRValue(clrA), GetRValue(clrB)), mix(GetGValue(clrA), GetGValue(clrB)),
               mix(GetBValue(clrA), GetBValue(clrB)));
}

BOOL CXTPColorManager::ColorsDiffer(COLORREF clrA, COLORREF clrB, double dThreshold)
{
    Vec a = Weighted(clrA), b = Weighted(clrB);
    Vec d = {{a.v[0] - b.v[0], a.v[1] - b.v[1], a.v[2] - b.v[2]}};
    double t = ScaledThreshold(clrA, dThreshold);
    return Dot(d, d) > t * t;
}

COLORREF CXTPColorManager::PullToDistance(COLORREF clrA, COLORREF clrB, double dThreshold)
{
    Vec a = Weighted(clrA), b = Weighted(clrB);
    Vec d = {{b.v[0] - a.v[0], b.v[1] - a.v[1], b.v[2] - a.v[2]}};
    double length = Length(d);
    if (length == 0.0)
        return clrB;
    double t = ScaledThreshold(clrA, dThreshold) / length;
    return FromWeighted({{a.v[0] + d.v[0] * t, a.v[1] + d.v[1] * t, a.v[2] + d.v[2] * t}});
}

COLORREF CXTPColorManager::PushToDistance(COLORREF clrA, COLORREF clrB, double dThreshold)
{
    const double t = ScaledThreshold(clrA, dThreshold);
    Vec a = Weighted(clrA), b = Weighted(clrB);
    const double lengthA = Length(a), lengthB = Length(b);
    const bool inverted = (lengthB > lengthA && lengthA <= 442.0 - t) || (lengthB <= lengthA && lengthA <= t);
    if (inverted) {
        a = Invert(a);
        b = Invert(b);
    }
    const double lengthBVec = std::max(Length(b), 0.001);
    const double ab = Dot(a, b);
    const double q = ab / lengthBVec;
    const double p = ab / (lengthBVec * lengthBVec);
    Vec foot = {{p * b.v[0] - a.v[0], p * b.v[1] - a.v[1], p * b.v[2] - a.v[2]}};
    // When the ray through B never comes within the distance of A, the nearest point is taken.
    const double e = std::sqrt(std::max(t * t - Dot(foot, foot), 0.0));
    const double s = (q - e) / lengthBVec;
    Vec result = {{b.v[0] * s, b.v[1] * s, b.v[2] * s}};
    if (inverted)
        result = Invert(result);
    return FromWeighted(result);
}

int CXTPColorManager::ColorSchemeFromNames(LPCWSTR fileName, LPCWSTR colorName)
{
    auto lower = [](LPCWSTR text) {
        std::wstring result = text ? text : L"";
        for (auto& ch : result)
            ch = static_cast<wchar_t>(std::towlower(ch));
        return result;
    };
    if (lower(fileName).find(L"luna.msstyles") == std::wstring::npos)
        return 0;
    const std::wstring color = lower(colorName);
    if (color == L"normalcolor")
        return 1;
    if (color == L"homestead")
        return 2;
    if (color == L"metallic")
        return 3;
    return 0;
}

int CXTPColorManager::GetWinThemeColorScheme()
{
    WCHAR fileName[MAX_PATH] = {};
    WCHAR colorName[MAX_PATH] = {};
    auto query = g_environment.pfnGetCurrentThemeName ? g_environment.pfnGetCurrentThemeName : DefaultCurrentThemeName;
    if (FAILED(query(fileName, MAX_PATH, colorName, MAX_PATH)))
        return 0;
    fileName[MAX_PATH - 1] = 0;
    colorName[MAX_PATH - 1] = 0;
    return ColorSchemeFromNames(fileName, colorName);
}

int CXTPColorManager::GetCurrentSystemTheme() const
{
    return m_nSchemeMode == 4 || m_nSchemeMode == 5 ? GetWinThemeColorScheme() : m_nSchemeMode;
}

void CXTPColorManager::RefreshColors(BOOL bOnlyIfNeeded)
{
    if (bOnlyIfNeeded && m_bInitialized)
        return;
    m_bInitialized = TRUE;

    const int bits = g_environment.pfnScreenBitsPerPixel ? g_environment.pfnScreenBitsPerPixel()
                                                         : XTPScreenBitsPerPixel();
    const bool lowColor = bits >= 1 && bits <= 8;

    COLORREF* value = m_arrStandardColor;
    auto c = [this](int n) { return GetColor(n); };

    value[0] = 0;
    for (int i = 1; i <= 27; ++i)
        value[i] = SysColor(i);

    static const int kDefaults[XPCOLOR_COUNT - XPCOLOR_BASE] = {15, 5,  13, 13, 16, 17, 5,  13, 16, 16,
                                                                 16, 5,  16, 16, 8,  7,  18, 14, 15, 18,
                                                                 13, 15, 16, 15, 16, 15, 15, 16};
    for (int i = XPCOLOR_BASE; i <= XPCOLOR_LAST; ++i)
        value[i] = c(kDefaults[i - XPCOLOR_BASE]);

    if (!lowColor) {
        struct Blend {
            int index, first, second, weight;
        };
        static const Blend kBlends[] = {{30, 5, 15, 165}, {31, 13, 5, 30},  {33, 13, 5, 50},  {41, 15, 5, 143},
                                        {35, 17, 5, 70},  {38, 16, 5, 75},  {39, 16, 5, 70},  {43, 46, 16, 20},
                                        {40, 16, 5, 90},  {42, 15, 16, 90}};
        for (const Blend& blend : kBlends)
            value[blend.index] = BlendColors(c(blend.first), c(blend.second), blend.weight);

        if (ColorsDiffer(c(15), c(30), 35.0))
            value[30] = PullToDistance(c(15), c(30), 35.0);

        struct Contrast {
            int index, a, b;
            double threshold;
        };
        static const Contrast kContrasts[] = {{31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},
                                              {35, 41, 35, 80},  {37, 33, 37, 100}, {38, 30, 38, 85},
                                              {39, 30, 39, 50},  {43, 47, 43, 100}, {40, 30, 40, 80},
                                              {44, 41, 44, 180}, {45, 31, 45, 180}, {46, 30, 46, 180},
                                              {47, 33, 47, 180}};
        for (const Contrast& row : kContrasts) {
            if (!ColorsDiffer(c(row.a), c(row.b), row.threshold))
                value[row.index] = PushToDistance(c(row.a), c(row.b), row.threshold);
        }

        if (ColorsDiffer(c(41), c(35), 145.0))
            value[35] = PullToDistance(c(41), c(35), 145.0);

        auto mix36 = [](int a, int b, int d) { return a * 50 / 100 + b * 40 / 100 + d * 10 / 100; };
        COLORREF c30 = c(30), c5 = c(5), c13 = c(13);
        value[36] = RGB(mix36(GetRValue(c30), GetRValue(c5), GetRValue(c13)),
                      mix36(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                      mix36(GetBValue(c30), GetBValue(c5), GetBValue(c13)));

        const COLORREF face = c(15);
        int m = MaxChannel(face);
        value[48] = m == 0 ? RGB(0x23, 0x23, 0x23) : ScaleChannels(face, m + std::min(255 - m, 35), m);
        const COLORREF shadow = c(16);
        if (face == 0) {
            value[49] = RGB(0x7F, 0x7F, 0x7F);
        } else {
            m = MaxChannel(shadow);
            value[49] = m == 0 ? 0 : ScaleChannels(shadow, std::max(m - 43, 0), m);
        }
        const COLORREF c31 = value[31];
        value[34] = RGB(static_cast<int>(GetRValue(c31) * 0.75), static_cast<int>(GetGValue(c31) * 0.75),
                      static_cast<int>(GetBValue(c31) * 0.75));
        value[22] = RGB(std::min(GetRValue(face) + 15, 255), std::min(GetGValue(face) + 15, 255),
                      std::min(GetBValue(face) + 15, 255));
        value[53] = c(30);
    }

    m_grc[0].SetStandardValue(c(16), c(16));
    m_grc[1].SetStandardValue(c(15), BlendColors(c(15), c(5), 205));
    m_grc[2].SetStandardValue(c(15), c(16));
    m_grc[3].SetStandardValue(BlendColors(c(15), c(5), 205), c(15));
    if (!m_bDisableLunaColors) {
        const int scheme = GetCurrentSystemTheme();
        if (scheme >= 1 && scheme <= 3) {
            const SchemeRow& row = kSchemes[scheme - 1];
            value[54] = row.clr54;
            for (int i = 0; i < 4; ++i)
                m_grc[i].SetStandardValue(row.gradient[i][0], row.gradient[i][1]);
        }
    }

    if (!lowColor) {
        COLORREF border = 0;
        auto treeBorder = g_environment.pfnGetTreeBorderColor ? g_environment.pfnGetTreeBorderColor
                                                              : DefaultTreeBorderColor;
        if (treeBorder(&border))
            value[57] = border;
    }
}
