// Fuzz target: the button image editor's readers of imported and pasted images (icon files,
// bitmap files, packed DIBs), each drawing into a 16 x 16 picture.
#include <windows.h>

#include <cstdint>

#include "CXTPImageEditorPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (int reader = 0; reader < 4; reader++) {
        CXTPImageEditorPicture picture;
        if (!picture.Create(CSize(16, 16)))
            __builtin_trap();
        picture.SetPixel(3, 3, RGB(1, 2, 3));
        BOOL bRead = FALSE;
        switch (reader) {
        case 0: bRead = picture.DrawIconFile(data, size); break;
        case 1: bRead = picture.DrawBitmapFile(data, size); break;
        case 2: bRead = picture.DrawPackedDib(data, size, TRUE); break;
        default: bRead = picture.DrawPackedDib(data, size, FALSE); break;
        }
        // Read or not, the picture keeps its size; a refused input leaves it as it was.
        if (picture.GetSize() != CSize(16, 16) || (!bRead && picture.GetPixel(3, 3) != RGB(1, 2, 3)))
            __builtin_trap();
    }
    return 0;
}
