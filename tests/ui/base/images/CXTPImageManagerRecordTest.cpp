// Saving and loading images: the icon record, icon sets through the settings exchange, the clipboard.
#include "CXTPImageManager.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <cstdlib>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "CArchive.h"
#include "CMemFile.h"
#include "COleDataObject.h"
#include "CXTPPropExchangeArchive.h"
#include "CXTPPropExchangeXMLNode.h"
#include "ImageFixtures.h"

namespace {

// What a storing archive wrote through `store`.
template <class Store>
std::vector<BYTE> Written(Store store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    const UINT size = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> bytes(data, data + size);
    std::free(data);
    return bytes;
}

std::vector<BYTE> Stored(CObject& object)
{
    return Written([&](CArchive& ar) { object.Serialize(ar); });
}

// Loads the object from the bytes; FALSE (and the archive cause) when an archive exception is thrown.
BOOL Load(CObject& object, std::vector<BYTE> bytes, int* cause = nullptr, ULONGLONG* left = nullptr)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    try {
        object.Serialize(ar);
    } catch (CArchiveException* e) {
        if (cause)
            *cause = e->m_cause;
        e->Delete();
        return FALSE;
    }
    if (left)
        *left = ar.GetBytesLeft();
    return TRUE;
}

// A little-endian writer for hand-made records.
struct Bytes {
    std::vector<BYTE> data;
    Bytes& Byte(UINT v)
    {
        data.push_back(static_cast<BYTE>(v));
        return *this;
    }
    Bytes& Word(UINT v) { return Byte(v & 0xFF).Byte(v >> 8 & 0xFF); }
    Bytes& Dword(DWORD v) { return Word(v & 0xFFFF).Word(v >> 16); }
    // A bitmap record: header count, header (masks 0), pixel count, pixels of one value.
    Bytes& Bitmap(LONG cx, LONG cy, WORD bitCount, DWORD pixelCount, WORD headerCount = 52, DWORD pixel = 0)
    {
        Word(headerCount).Dword(40).Dword(cx).Dword(static_cast<DWORD>(cy)).Word(1).Word(bitCount);
        Dword(0).Dword(pixelCount).Dword(0).Dword(0).Dword(0).Dword(0);
        if (headerCount == 52)
            Dword(0).Dword(0xFFFFFF).Dword(0);
        Word(pixelCount);
        for (DWORD i = 0; i < pixelCount; i += 4)
            Dword(pixel);
        return *this;
    }
};

}  // namespace

TEST(IconRecord, AlphaImageByteForByte)
{
    CXTPImageManager manager;
    HBITMAP bitmap = AlphaBitmap(2, 1, {0x80112233, 0xFF445566});
    manager.SetIcon(CXTPImageManagerIconHandle(bitmap), 5);
    ::DeleteObject(bitmap);
    CXTPImageManagerIcon* icon = manager.GetImage(5, 2);
    ASSERT_NE(nullptr, icon);
    std::vector<BYTE> bytes = Stored(*icon);

    Bytes golden;
    golden.Dword(1).Dword(17);                                                     // height, version
    golden.Word(52).Dword(40).Dword(2).Dword(1).Word(1).Word(32).Dword(0).Dword(8);  // normal: the bitmap
    golden.Dword(0).Dword(0).Dword(0).Dword(0).Dword(0).Dword(0).Dword(0);           // ... (masks at 50..61)
    golden.Word(8).Dword(0x80112233).Dword(0xFF445566);
    golden.Word(0);                                    // and no mask
    golden.Word(0).Word(0).Word(0).Word(0).Word(0).Word(0);  // no disabled, hot, checked image
    ASSERT_EQ(golden.data.size(), bytes.size());
    // The compression is BI_RGB or BI_BITFIELDS as the system reports it; the masks are not fixed.
    const DWORD compression = bytes[26] | bytes[27] << 8;
    EXPECT_TRUE(compression == BI_RGB || compression == BI_BITFIELDS) << compression;
    for (size_t i : {26, 27})
        bytes[i] = 0;
    for (size_t i = 50; i < 62; i++)
        bytes[i] = 0;
    EXPECT_EQ(golden.data, bytes);
}

TEST(IconRecord, RoundTripKeepsEveryImage)
{
    CXTPImageManager manager;
    HICON normal = HalvesIcon(16, 16, RGB(255, 0, 0), RGB(0, 0, 255)), disabled = SolidIcon(16, 16, RGB(0, 128, 0));
    const std::vector<DWORD> hotPixels = {0x80112233, 0xFF445566, 0x00000000, 0x10FFFFFF};
    HBITMAP hot = AlphaBitmap(2, 2, hotPixels);
    manager.SetIcon(normal, 6);
    manager.SetIcon(disabled, 6, CSize(16, 16), CXTPImageManager::stateDisabled);
    manager.SetIcon(hot, 6, CSize(16, 16), CXTPImageManager::stateHot);
    ::DestroyIcon(normal);
    ::DestroyIcon(disabled);
    ::DeleteObject(hot);
    CXTPImageManagerIcon* icon = manager.GetImage(6, 16);
    const std::vector<BYTE> bytes = Stored(*icon);

    CXTPImageManagerIcon loaded(6, 16);
    ULONGLONG left = 1;
    ASSERT_TRUE(Load(loaded, bytes, nullptr, &left));
    EXPECT_EQ(0u, left);
    EXPECT_EQ(16, loaded.GetHeight());
    EXPECT_EQ(RGB(255, 0, 0), IconColour(loaded.GetIcon().GetIcon(), 2, 4));
    EXPECT_EQ(RGB(0, 0, 255), IconColour(loaded.GetIcon().GetIcon(), 12, 4));
    EXPECT_EQ(RGB(0, 128, 0), IconColour(loaded.GetDisabledIcon().GetIcon()));
    ASSERT_TRUE(loaded.GetHotIcon().IsAlpha());
    EXPECT_EQ(hotPixels, Pixels(loaded.GetHotIcon().GetBitmap()));  // rows keep their order
    EXPECT_EQ(&loaded.GetHotIcon(), &loaded.GetCheckedIcon());    // no checked image: it falls back
    EXPECT_EQ(bytes, Stored(loaded));
}

TEST(IconRecord, VersionSevenHasNoCheckedImage)
{
    Bytes record;
    record.Dword(15).Dword(7).Bitmap(1, 1, 32, 4, 52, 0xFF0000FF).Word(0);  // normal: an alpha image
    record.Word(0).Word(0).Word(0).Word(0);                                 // disabled, hot
    CXTPImageManagerIcon icon(1, 16);
    ULONGLONG left = 1;
    ASSERT_TRUE(Load(icon, record.data, nullptr, &left));
    EXPECT_EQ(0u, left);
    EXPECT_EQ(15, icon.GetHeight());
    EXPECT_EQ(0xFF0000FFu, FirstPixel(icon.GetIcon().GetBitmap()));

    // Version 17 reads a checked image more.
    record.data[4] = 17;
    int cause = 0;
    EXPECT_FALSE(Load(icon, record.data, &cause));
    EXPECT_EQ(CArchiveException::endOfFile, cause);
    record.Word(0).Word(0);
    EXPECT_TRUE(Load(icon, record.data));
}

TEST(IconRecord, CountsAndHeadersThatDoNotFitFail)
{
    const struct { const char* what; Bytes image; bool ok; } cases[] = {
        {"an icon of colour and mask, 40-byte headers", Bytes().Bitmap(16, 16, 32, 1024, 40).Bitmap(16, 16, 1, 64, 40), true},
        {"header count 44", Bytes().Bitmap(1, 1, 32, 4, 44).Word(0), false},
        {"pixels past the bitmap", Bytes().Bitmap(1, 1, 32, 8).Word(0), false},
        {"pixels short of the bitmap", Bytes().Bitmap(2, 2, 32, 8).Word(0), false},
        {"width 0", Bytes().Bitmap(0, 1, 32, 0).Word(0), false},
        {"8 bits a pixel, no palette", Bytes().Bitmap(4, 1, 8, 4).Word(0), false},
        {"negative height past the limit", Bytes().Bitmap(1, -5000, 32, 20000).Word(0), false},
        {"a lone monochrome bitmap", Bytes().Bitmap(1, 1, 1, 4).Word(0), false},
        {"the pixels cut off", Bytes().Word(52).Dword(40).Dword(1).Dword(1), false},
    };
    for (const auto& c : cases) {
        Bytes record;
        record.Dword(16).Dword(17);
        record.data.insert(record.data.end(), c.image.data.begin(), c.image.data.end());
        record.Word(0).Word(0).Word(0).Word(0).Word(0).Word(0);
        CXTPImageManagerIcon icon(1, 16);
        EXPECT_EQ(c.ok, !!Load(icon, record.data)) << c.what;
    }
    // A height no image has.
    CXTPImageManagerIcon icon(1, 16);
    EXPECT_FALSE(Load(icon, Bytes().Dword(0x80000000).Dword(17).data));
}

namespace {

// The manager's images or one set through an archive exchange.
std::vector<BYTE> StoredSet(CXTPImageManager& manager, UINT id)
{
    return Written([&](CArchive& ar) {
        CXTPPropExchangeArchive px(ar);
        manager.ExchangeIconSet(id, &px);
    });
}

BOOL LoadSet(CXTPImageManager& manager, UINT id, std::vector<BYTE> bytes, int* cause = nullptr)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    try {
        manager.ExchangeIconSet(id, &px);
    } catch (CArchiveException* e) {
        if (cause)
            *cause = e->m_cause;
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void AddSolid(CXTPImageManager& manager, UINT id, int size, COLORREF clr)
{
    HICON icon = SolidIcon(size, size, clr);
    manager.SetIcon(icon, id);
    ::DestroyIcon(icon);
}

// Widths stored in a set, scaled copies included.
std::vector<UINT> Widths(CXTPImageManager& manager, UINT id)
{
    std::vector<UINT> widths;
    CXTPImageManagerIconSet* set = manager.GetIconSet(id);
    UINT width;
    CXTPImageManagerIcon* icon;
    for (POSITION pos = set ? set->GetIcons().GetStartPosition() : nullptr; pos;) {
        set->GetIcons().GetNextAssoc(pos, width, icon);
        widths.push_back(width);
    }
    return widths;
}

}  // namespace

TEST(IconSets, ScaledCopiesAreNotSavedAndLoadsReplace)
{
    CXTPImageManager manager;
    AddSolid(manager, 10, 16, RGB(255, 0, 0));
    HBITMAP bitmap = AlphaBitmap(24, 24, 0xFF00FF00);
    manager.SetIcon(CXTPImageManagerIconHandle(bitmap), 10);
    ::DeleteObject(bitmap);
    AddSolid(manager, 11, 16, RGB(0, 0, 255));
    ASSERT_TRUE(manager.GetImage(11, 32)->IsScaled());
    const std::vector<BYTE> bytes = Stored(manager);

    CXTPImageManager loaded;
    AddSolid(loaded, 12, 16, RGB(0, 0, 0));  // loading the manager drops what it held
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(nullptr, loaded.GetIconSet(12));
    EXPECT_EQ((std::vector<UINT>{16}), Widths(loaded, 11));
    EXPECT_EQ(RGB(255, 0, 0), IconColour(loaded.GetImage(10, 16)->GetIcon().GetIcon()));
    EXPECT_EQ(0xFF00FF00u, FirstPixel(loaded.GetImage(10, 24)->GetIcon().GetBitmap()));
    EXPECT_TRUE(loaded.GetImage(11, 32)->IsScaled());  // made again on demand
    EXPECT_EQ(bytes, Stored(manager));

    // A set loaded over an existing id replaces its icons.
    CXTPImageManager other;
    AddSolid(other, 11, 48, RGB(0, 0, 0));
    ASSERT_TRUE(LoadSet(other, 11, StoredSet(manager, 11)));
    EXPECT_EQ((std::vector<UINT>{16}), Widths(other, 11));
    EXPECT_EQ(RGB(0, 0, 255), IconColour(other.GetImage(11, 16)->GetIcon().GetIcon()));
}

TEST(IconSets, CustomIdsRiseAboveLoadedOnes)
{
    CXTPImageManager manager;
    AddSolid(manager, 70000, 16, RGB(255, 0, 0));
    CXTPImageManager loaded;
    ASSERT_TRUE(LoadSet(loaded, 70000, StoredSet(manager, 70000)));
    EXPECT_EQ(70000u, loaded.m_nCustomID);
    HICON icon = SolidIcon(16, 16, RGB(0, 0, 0));
    EXPECT_EQ(70001u, loaded.AddCustomIcon(icon));
    ::DestroyIcon(icon);
}

TEST(IconSets, WrongCheckSumsAndDamagedIconsLeaveTheSetAlone)
{
    CXTPImageManager manager;
    AddSolid(manager, 20, 16, RGB(255, 0, 0));
    std::vector<BYTE> bytes = StoredSet(manager, 20);
    CXTPImageManager target;
    AddSolid(target, 20, 32, RGB(0, 128, 0));

    std::vector<BYTE> wrongSum = bytes;
    wrongSum[1] = 'D';  // "CXTPImageManagerIcons" behind its length byte
    int cause = 0;
    EXPECT_FALSE(LoadSet(target, 20, wrongSum, &cause));
    EXPECT_EQ(CArchiveException::badClass, cause);

    std::vector<BYTE> cut(bytes.begin(), bytes.end() - 40);
    EXPECT_FALSE(LoadSet(target, 20, cut));
    EXPECT_EQ((std::vector<UINT>{32}), Widths(target, 20));
    EXPECT_FALSE(LoadSet(target, 21, cut));
    EXPECT_EQ(nullptr, target.GetIconSet(21));
}

namespace {

// A data object offering one block of one format, as the clipboard's would; the tests keep to
// it so that no other program on the display can change what they paste.
class BlockDataObject : public IDataObject {
public:
    // With `keep` the object hands out its own block and keeps it (the taker must copy it).
    BlockDataObject(UINT format, std::vector<BYTE> bytes, bool keep)
        : m_format(format), m_bytes(std::move(bytes)), m_keep(keep)
    {
    }
    virtual ~BlockDataObject()
    {
        if (m_kept)
            ::GlobalFree(m_kept);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, m_bytes.size());
        std::memcpy(::GlobalLock(block), m_bytes.data(), m_bytes.size());
        ::GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        if (m_keep) {
            if (m_kept)
                ::GlobalFree(m_kept);
            m_kept = block;
            medium->pUnkForRelease = this;
            AddRef();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return format->cfFormat == m_format && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    UINT m_format;
    std::vector<BYTE> m_bytes;
    bool m_keep;
    HGLOBAL m_kept = nullptr;
    ULONG m_refs = 1;
};

UINT Paste(CXTPImageManager& manager, UINT format, const std::vector<BYTE>& bytes, bool keep = false)
{
    BlockDataObject source(format, bytes, keep);
    COleDataObject data;
    data.Attach(&source, FALSE);
    return manager.PasteIconFromClipboard(&data);
}

// What a copy puts on the clipboard, read back while the clipboard is still held.
std::vector<BYTE> Copied(CXTPImageManager& manager, UINT id)
{
    std::vector<BYTE> bytes;
    HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (window && ::OpenClipboard(window)) {
        ::EmptyClipboard();
        EXPECT_TRUE(manager.CopyIconToClipboard(id));
        if (HGLOBAL block = ::GetClipboardData(CXTPImageManager::m_nImageClipFormat)) {
            const BYTE* data = static_cast<const BYTE*>(::GlobalLock(block));
            bytes.assign(data, data + ::GlobalSize(block));
            ::GlobalUnlock(block);
        }
        ::CloseClipboard();
    }
    ::DestroyWindow(window);
    return bytes;
}

}  // namespace

TEST(ImageClipboard, TwoPastesTwoIdsAndDamageAddsNothing)
{
    CXTPImageManager manager;
    AddSolid(manager, 30, 16, RGB(255, 0, 0));
    const std::vector<BYTE> copied = Copied(manager, 30);
    const std::vector<BYTE> set = StoredSet(manager, 30);
    ASSERT_GE(copied.size(), set.size());  // the block may be rounded up
    EXPECT_TRUE(std::equal(set.begin(), set.end(), copied.begin()));
    const UINT format = CXTPImageManager::m_nImageClipFormat;
    EXPECT_EQ(68267u, Paste(manager, format, copied));
    EXPECT_EQ(68268u, Paste(manager, format, copied, true));  // from a block the source keeps
    for (UINT id : {68267u, 68268u}) {
        ASSERT_NE(nullptr, manager.GetImage(id, 16)) << id;
        EXPECT_EQ(RGB(255, 0, 0), IconColour(manager.GetImage(id, 16)->GetIcon().GetIcon()));
    }

    // The set's bytes cut short: nothing added, the next custom id unchanged.
    std::vector<BYTE> cut = set;
    cut.resize(cut.size() - 40);
    EXPECT_EQ(0u, Paste(manager, format, cut));
    EXPECT_EQ(nullptr, manager.GetIconSet(68269));
    EXPECT_EQ(68268u, manager.m_nCustomID);

    // No data of the format.
    EXPECT_EQ(0u, Paste(manager, CF_TEXT, copied));
    EXPECT_EQ(68268u, manager.m_nCustomID);
}

TEST(IconSets, LayoutFileRoundTrip)
{
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char temp[MAX_PATH] = {}, path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    ::GetTempFileNameA(temp, "img", 0, path);
    CXTPImageManager manager;
    AddSolid(manager, 40, 16, RGB(255, 0, 0));
    HBITMAP bitmap = AlphaBitmap(24, 24, 0x80604020);
    manager.SetIcon(CXTPImageManagerIconHandle(bitmap), 41);
    ::DeleteObject(bitmap);
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        CXTPPropExchangeSection images(px.GetSection("Images"));
        manager.DoPropExchange(images);
        ASSERT_EQ(S_OK, px.SaveToFile(path));
    }
    std::string text;
    if (std::FILE* file = std::fopen(path, "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text.append(buffer, n);
        std::fclose(file);
    }
    EXPECT_EQ(std::string::npos, text.find("CheckSum"));  // the default is left out
    EXPECT_NE(std::string::npos, text.find("Data"));

    CXTPImageManager loaded;
    {
        CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
        ASSERT_TRUE(px.LoadFromFile(path));
        CXTPPropExchangeSection images(px.GetSection("Images"));
        loaded.DoPropExchange(images);
    }
    ::DeleteFileA(path);
    ASSERT_NE(nullptr, loaded.GetImage(40, 16));
    EXPECT_EQ(RGB(255, 0, 0), IconColour(loaded.GetImage(40, 16)->GetIcon().GetIcon()));
    ASSERT_NE(nullptr, loaded.GetImage(41, 24));
    EXPECT_EQ(0x80604020u, FirstPixel(loaded.GetImage(41, 24)->GetIcon().GetBitmap()));
    if (SUCCEEDED(com))
        ::CoUninitialize();
}
