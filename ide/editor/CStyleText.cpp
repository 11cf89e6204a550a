// The text-style dialog: a style record edited by font, colour and case choices, shown on a read-only sample.
#include "CStyleText.h"

#include "CColorDialog.h"
#include "CFontDialog.h"
#include "ResourceIds.h"
#include "Scintilla.h"

namespace {

constexpr int IDC_FIRST_LABEL = IDC_FONT_LABEL;
constexpr int IDC_LAST_LABEL = IDC_CASE_LABEL;

int DesktopPixelsPerInch()
{
    HDC dc = ::GetDC(nullptr);
    const int pixels = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(nullptr, dc);
    return pixels > 0 ? pixels : 96;
}

}  // namespace

BEGIN_MESSAGE_MAP(CStyleText, CDialog)
    ON_CONTROL(BN_CLICKED, IDC_FONT, OnFont)
    ON_CONTROL(BN_CLICKED, IDC_TEXT_COLOR, OnTextColor)
    ON_CONTROL(BN_CLICKED, IDC_BACK_COLOR, OnBackColor)
    ON_CONTROL(CBN_SELCHANGE, IDC_CASE, OnCaseChange)
    ON_CONTROL(BN_CLICKED, IDC_DEFAULT_STYLE, OnDefaultStyle)
END_MESSAGE_MAP()

CStyleText::CStyleText(const char* sampleText, int lexerStyle, CWnd* pParentView)
    : CDialog(IDD_STYLE_TEXT, pParentView), m_sampleText(sampleText ? sampleText : ""), m_lexerStyle(lexerStyle)
{
    m_record = TextStyleRecordOf(lexerStyle);
    if (m_record < 0)
        m_record = 0;
    m_style = g_pTextStyles ? g_pTextStyles[m_record] : DefaultTextStyle(m_record);
    m_original = m_style;
    m_aside = m_style;
}

BOOL CStyleText::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString format;
    GetWindowText(format);
    CString title;
    title.LoadString(TextStyleTitleId(m_record));
    CString caption;
    caption.Format(format, static_cast<const char*>(title));
    SetWindowText(caption);

    HWND cases = ::GetDlgItem(m_hWnd, IDC_CASE);
    for (UINT id : {IDS_STYLE_CASE_AS_TYPED, IDS_STYLE_CASE_UPPER, IDS_STYLE_CASE_LOWER}) {
        CString item;
        item.LoadString(id);
        ::SendMessageA(cases, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(item)));
    }
    ::SendMessageA(cases, CB_SETCURSEL, static_cast<WPARAM>(m_style.caseMode), 0);

    HWND sample = ::GetDlgItem(m_hWnd, IDC_SAMPLE);
    if (sample) {
        for (int margin = 0; margin <= 2; ++margin)
            ::SendMessageA(sample, SCI_SETMARGINWIDTHN, margin, 0);
        ::SendMessageA(sample, SCI_SETHSCROLLBAR, 0, 0);
        ::SendMessageA(sample, SCI_HIDESELECTION, 1, 0);
        ::SendMessageA(sample, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(m_sampleText)));
        ::SendMessageA(sample, SCI_SETREADONLY, 1, 0);
    }
    RefreshSample();
    return TRUE;
}

void CStyleText::RefreshSample()
{
    HWND sample = ::GetDlgItem(m_hWnd, IDC_SAMPLE);
    if (!sample)
        return;
    ApplyTextStyle(sample, STYLE_DEFAULT, m_style);
    ::SendMessageA(sample, SCI_STYLECLEARALL, 0, 0);
}

void CStyleText::OnFont()
{
    const int pixelsPerInch = DesktopPixelsPerInch();
    LOGFONTA font{};
    font.lfHeight = FontHeightOfPoints(m_style.size, pixelsPerInch);
    font.lfWeight = m_style.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = m_style.italic ? 1 : 0;
    font.lfUnderline = m_style.underline ? 1 : 0;
    lstrcpynA(font.lfFaceName, m_style.fontName, LF_FACESIZE);
    CFontDialog dialog(&font, CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(&font);
    lstrcpynA(m_style.fontName, font.lfFaceName, sizeof m_style.fontName);
    m_style.size = PointsOfFontHeight(font.lfHeight, pixelsPerInch);
    m_style.bold = font.lfWeight == FW_BOLD;
    m_style.italic = font.lfItalic != 0;
    m_style.underline = font.lfUnderline != 0;
    RefreshSample();
}

void CStyleText::OnTextColor() { PickColor(m_style.fore); }

void CStyleText::OnBackColor() { PickColor(m_style.back); }

void CStyleText::PickColor(uint32_t& color)
{
    CColorDialog dialog(color, CC_FULLOPEN, this);
    if (dialog.DoModal() != IDOK)
        return;
    color = dialog.GetColor();
    RefreshSample();
}

void CStyleText::OnCaseChange()
{
    const int index = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_CASE, CB_GETCURSEL, 0, 0));
    if (index >= 0)
        m_style.caseMode = index;
    RefreshSample();
}

void CStyleText::OnDefaultStyle()
{
    const bool useDefault = IsDlgButtonChecked(IDC_DEFAULT_STYLE) == BST_CHECKED;
    if (useDefault) {
        m_aside = m_style;
        m_style = DefaultTextStyle(m_record);
    } else {
        m_style = m_aside;
    }
    for (int id : {IDC_FONT, IDC_TEXT_COLOR, IDC_BACK_COLOR, IDC_CASE})
        ::EnableWindow(::GetDlgItem(m_hWnd, id), !useDefault);
    for (int id = IDC_FIRST_LABEL; id <= IDC_LAST_LABEL; ++id)
        ::EnableWindow(::GetDlgItem(m_hWnd, id), !useDefault);
    ::SendDlgItemMessageA(m_hWnd, IDC_CASE, CB_SETCURSEL, static_cast<WPARAM>(m_style.caseMode), 0);
    RefreshSample();
}
