// The printer plumbing without a printer: page ranges of a print run, printer names read from the
// system's blocks, the application's printer handles.
#include <gtest/gtest.h>

#include <cstring>

#include "CDC.h"
#include "CPageSetupDialog.h"
#include "CPrintDialog.h"
#include "CPrintInfo.h"
#include "CWinApp.h"

namespace {

// A DEVNAMES block as the system builds it: the header, then the three names.
HGLOBAL MakeDevNames(const char* driver, const char* device, const char* port)
{
    size_t size = sizeof(DEVNAMES) + std::strlen(driver) + std::strlen(device) + std::strlen(port) + 3;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* bytes = static_cast<char*>(::GlobalLock(block));
    auto* dn = reinterpret_cast<DEVNAMES*>(bytes);
    WORD at = sizeof(DEVNAMES);
    for (auto [name, offset] : {std::pair{driver, &dn->wDriverOffset}, std::pair{device, &dn->wDeviceOffset},
                                std::pair{port, &dn->wOutputOffset}}) {
        *offset = at;
        std::strcpy(bytes + at, name);
        at = static_cast<WORD>(at + std::strlen(name) + 1);
    }
    ::GlobalUnlock(block);
    return block;
}

bool IsLive(HGLOBAL block)
{
    return ::GlobalFlags(block) != GMEM_INVALID_HANDLE;
}

TEST(PrinterSelectionTest, PageRangeIsTheDialogsRangeOrAllPages)
{
    CPrintInfo info;
    EXPECT_EQ(info.GetMinPage(), 1u);
    EXPECT_EQ(info.GetMaxPage(), 0xFFFFu);  // not known until the view says
    EXPECT_EQ(info.m_nCurPage, 1u);
    EXPECT_TRUE(info.m_bContinuePrinting);

    info.SetMaxPage(7);
    EXPECT_EQ(info.GetFromPage(), 1u);
    EXPECT_EQ(info.GetToPage(), 7u);
    info.m_pPD->m_pd.Flags |= PD_PAGENUMS;
    info.m_pPD->m_pd.nFromPage = 3;
    info.m_pPD->m_pd.nToPage = 5;
    EXPECT_TRUE(info.m_pPD->PrintRange());
    EXPECT_EQ(info.GetFromPage(), 3u);
    EXPECT_EQ(info.GetToPage(), 5u);
    info.SetMaxPage(100000);  // more than the dialog can hold: as many as it can
    EXPECT_EQ(info.GetMaxPage(), 0xFFFFu);
}

TEST(PrinterSelectionTest, PrinterNamesComeFromWellFormedBlocksOnly)
{
    HGLOBAL names = MakeDevNames("winspool", "Office Laser", "LPT1:");
    CPrintDialog dlg(FALSE);
    dlg.m_pd.hDevNames = names;
    EXPECT_STREQ(dlg.GetDriverName(), "winspool");
    EXPECT_STREQ(dlg.GetDeviceName(), "Office Laser");
    EXPECT_STREQ(dlg.GetPortName(), "LPT1:");
    CPageSetupDialog setup;
    setup.m_psd.hDevNames = names;
    EXPECT_STREQ(setup.GetDeviceName(), "Office Laser");
    EXPECT_EQ(setup.CreatePrinterDC(), nullptr);  // no such printer here
    EXPECT_STREQ(AfxGetDevName(names, 3), "");

    // An offset past the block, and a name without its terminator, give nothing.
    auto* dn = static_cast<DEVNAMES*>(::GlobalLock(names));
    dn->wDeviceOffset = 0x7000;
    ::GlobalUnlock(names);
    EXPECT_STREQ(dlg.GetDeviceName(), "");
    EXPECT_EQ(AfxCreateDC(names, nullptr), nullptr);
    ::GlobalFree(names);

    HGLOBAL tiny = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 3);
    EXPECT_STREQ(AfxGetDevName(tiny, 0), "");
    ::GlobalFree(tiny);
    HGLOBAL unterminated = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVNAMES) + 4);
    auto* bytes = static_cast<BYTE*>(::GlobalLock(unterminated));
    std::memset(bytes, 'x', sizeof(DEVNAMES) + 4);
    auto* header = reinterpret_cast<DEVNAMES*>(bytes);
    header->wDriverOffset = header->wDeviceOffset = header->wOutputOffset = sizeof(DEVNAMES);
    ::GlobalUnlock(unterminated);
    EXPECT_STREQ(AfxGetDevName(unterminated, 1), "");
    ::GlobalFree(unterminated);
    EXPECT_STREQ(AfxGetDevName(nullptr, 1), "");
}

TEST(PrinterSelectionTest, ApplicationKeepsItsPrinterHandles)
{
    CWinApp app("Printing");
    // No printer on this machine: no defaults and no DC, and nothing breaks.
    CPrintDialog defaults(FALSE);
    EXPECT_FALSE(defaults.GetDefaults());
    CDC dc;
    EXPECT_FALSE(app.CreatePrinterDC(dc));
    PRINTDLGA pd{};
    EXPECT_FALSE(app.GetPrinterDeviceDefaults(&pd));

    HGLOBAL names = MakeDevNames("winspool", "A", "LPT1:");
    HGLOBAL mode = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
    app.SelectPrinter(names, mode);
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
    EXPECT_EQ(pd.hDevNames, names);
    EXPECT_EQ(pd.hDevMode, mode);

    // Choosing the same printer again keeps its handles alive; another frees the old ones.
    app.SelectPrinter(names, mode);
    EXPECT_TRUE(IsLive(names));
    EXPECT_TRUE(IsLive(mode));
    HGLOBAL otherNames = MakeDevNames("winspool", "B", "LPT2:");
    app.SelectPrinter(otherNames, mode);
    EXPECT_FALSE(IsLive(names));
    EXPECT_TRUE(IsLive(mode));
    EXPECT_EQ(app.m_hDevNames, otherNames);
}

}  // namespace
