// The RGB value class: blend, subtraction and the named greys.
#include "CXTColorRef.h"

namespace {

int Clamp(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

}  // namespace

const CXTColorRef CXTColorRef::BLACK(RGB(0x00, 0x00, 0x00));
const CXTColorRef CXTColorRef::WHITE(RGB(0xFF, 0xFF, 0xFF));
const CXTColorRef CXTColorRef::GRAY_25(RGB(0x40, 0x40, 0x40));
const CXTColorRef CXTColorRef::GRAY_50(RGB(0x80, 0x80, 0x80));
const CXTColorRef CXTColorRef::GRAY_75(RGB(0xC0, 0xC0, 0xC0));

CXTColorRef& CXTColorRef::BlendColor(CXTColorRef other, int percent)
{
    auto mix = [percent](int a, int b) { return Clamp((a * (100 - percent) + b * percent) / 100); };
    m_clr = RGB(mix(GetRValue(m_clr), GetRValue(other.m_clr)), mix(GetGValue(m_clr), GetGValue(other.m_clr)),
                mix(GetBValue(m_clr), GetBValue(other.m_clr)));
    return *this;
}

CXTColorRef& CXTColorRef::Subtract(CXTColorRef other)
{
    m_clr = RGB(Clamp(GetRValue(m_clr) - GetRValue(other.m_clr)), Clamp(GetGValue(m_clr) - GetGValue(other.m_clr)),
                Clamp(GetBValue(m_clr) - GetBValue(other.m_clr)));
    return *this;
}
