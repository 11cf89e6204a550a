// Fuzz target of the saved docking layout's records: the input is the layout as
// "[Section]" / "Key=Value" text, the form the record tests use.
#include <cstddef>
#include <cstdint>
#include <string>

#include "DockingPaneLayoutRecords.h"
#include "LayoutTextExchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 1 << 20)
        return 0;
    LayoutTextExchange in(std::string(reinterpret_cast<const char*>(data), size));
    DockingPaneLayoutRecords records;
    if (!records.Exchange(in))
        return 0;
    // What passed the check saves and loads again to the same text.
    LayoutTextExchange first;
    records.Exchange(first);
    LayoutTextExchange reload(first.Text());
    DockingPaneLayoutRecords again;
    if (!again.Exchange(reload))
        __builtin_trap();
    LayoutTextExchange second;
    again.Exchange(second);
    if (first.Text() != second.Text())
        __builtin_trap();
    return 0;
}
