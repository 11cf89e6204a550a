// The saved docking layout's records: one exchange routine for saving and loading, and
// the structural check of a loaded set.
#include "DockingPaneLayoutRecords.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string SectionName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "Pane-%d", index);
    return name;
}

bool Fail(std::string* reason, const std::string& section, const std::string& cause)
{
    if (reason)
        *reason = section + ": " + cause;
    return false;
}

void Clamp(int& value)
{
    value = std::clamp(value, 0, static_cast<int>(DockingPaneElementRecord::kMaxSize));
}

bool HasChildren(int type)
{
    return type == DockingPaneLayoutRecords::kSplitter || type == DockingPaneLayoutRecords::kTabbed ||
           type == DockingPaneLayoutRecords::kAutoHide;
}

// What each container may hold: panes sit in tab groups, tab groups in splitters and
// panels, the client placeholder and nested splitters in splitters.
bool MayHold(int parentType, int childType)
{
    switch (parentType) {
    case DockingPaneLayoutRecords::kTabbed:
        return childType == DockingPaneLayoutRecords::kPane;
    case DockingPaneLayoutRecords::kSplitter:
        return childType == DockingPaneLayoutRecords::kTabbed || childType == DockingPaneLayoutRecords::kSplitter ||
               childType == DockingPaneLayoutRecords::kClient;
    case DockingPaneLayoutRecords::kAutoHide:
        return childType == DockingPaneLayoutRecords::kTabbed;
    case DockingPaneLayoutRecords::kMiniWnd:
        return childType == DockingPaneLayoutRecords::kSplitter;
    default:
        return false;
    }
}

const char* TypeName(int type)
{
    static const char* const names[] = {"a pane", "a tab group", "a splitter", "a floating frame",
                                        "the client placeholder", "an auto-hide panel"};
    return type >= 0 && type <= 5 ? names[type] : "an unknown element";
}

}  // namespace

const DockingPaneElementRecord* DockingPaneLayoutRecords::At(int index) const
{
    if (index < 1 || index > static_cast<int>(elements.size()))
        return nullptr;
    return &elements[index - 1];
}

int DockingPaneLayoutRecords::TypeAt(int index) const
{
    const DockingPaneElementRecord* record = At(index);
    return record ? record->nType : -1;
}

bool DockingPaneLayoutRecords::Exchange(DockingPaneLayoutExchange& px, std::string* reason)
{
    if (!px.IsLoading()) {
        Write(px);
        return true;
    }
    return Read(px, reason) && Check(reason);
}

void DockingPaneLayoutRecords::Write(DockingPaneLayoutExchange& px)
{
    const int noType = -1;
    int count = static_cast<int>(elements.size());
    px.Section("Summary");
    px.Int("Panes", count, nullptr);
    px.Schema();
    for (int i = 1; i <= count; ++i) {
        int type = elements[i - 1].nType;
        px.Section(SectionName(i).c_str());
        px.Int("Type", type, &noType);
    }
    for (int i = 1; i <= count; ++i)
        ExchangeElement(px, i, nullptr);
    int top = nTopContainer;
    int client = nClient;
    px.Section("Summary");
    px.Int("TopContainer", top, nullptr);
    px.Int("Client", client, nullptr);
}

bool DockingPaneLayoutRecords::Read(DockingPaneLayoutExchange& px, std::string* reason)
{
    const int noType = -1;
    elements.clear();
    nTopContainer = nClient = 0;

    int count = 0;
    px.Section("Summary");
    if (!px.Int("Panes", count, nullptr) || count < 2)
        return Fail(reason, "Summary", "a layout needs \"Panes\" of at least 2");
    px.Schema();
    // Types first: they decide which keys each element's section holds. Elements grow one
    // by one, so a damaged count costs no more than the sections really present.
    for (int i = 1; i <= count; ++i) {
        DockingPaneElementRecord record;
        px.Section(SectionName(i).c_str());
        px.Int("Type", record.nType, &noType);
        if (record.nType < kPane || record.nType > kAutoHide)
            return Fail(reason, SectionName(i), "unknown element type " + std::to_string(record.nType));
        elements.push_back(std::move(record));
    }
    for (int i = 1; i <= count; ++i)
        if (!ExchangeElement(px, i, reason))
            return false;
    px.Section("Summary");
    if (!px.Int("TopContainer", nTopContainer, nullptr))
        return Fail(reason, "Summary", "\"TopContainer\" is missing");
    if (!px.Int("Client", nClient, nullptr))
        return Fail(reason, "Summary", "\"Client\" is missing");
    return true;
}

// One element's own keys, in saving order; both directions, since the keys and their
// order must match exactly for the archive medium.
bool DockingPaneLayoutRecords::ExchangeElement(DockingPaneLayoutExchange& px, int index, std::string* reason)
{
    const int zero = 0, minusOne = -1, maxSize = DockingPaneElementRecord::kMaxSize;
    const bool loading = px.IsLoading();
    DockingPaneElementRecord& r = elements[index - 1];
    const std::string section = SectionName(index);
    px.Section(section.c_str());
    px.Int("DockingCX", r.nDockingCX, &zero);
    px.Int("DockingCY", r.nDockingCY, &zero);

    switch (r.nType) {
    case kPane:
        px.String("Title", r.strTitle);
        px.Int("ID", r.nID, &zero);
        px.Int("IconID", r.nIconID, &minusOne);
        px.Int("Options", r.nOptions, &zero);
        if (loading || r.bHasHolders) {
            px.Int("DockingHolder", r.nDockingHolder, &zero);
            px.Int("FloatingHolder", r.nFloatingHolder, &zero);
            px.Int("LastHolder", r.nLastHolder, &zero);
            r.bHasHolders = true;
        }
        px.Int("MinTrackX", r.nMinTrackX, &zero);
        px.Int("MinTrackY", r.nMinTrackY, &zero);
        px.Int("MaxTrackX", r.nMaxTrackX, &maxSize);
        px.Int("MaxTrackY", r.nMaxTrackY, &maxSize);
        if (loading && r.nID < 1)
            return Fail(reason, section, "a pane needs an \"ID\" of at least 1");
        break;
    case kSplitter:
        px.Bool("Horiz", r.bHoriz, false);
        break;
    case kAutoHide:
        px.Int("Direction", r.nDirection, nullptr);
        break;
    case kMiniWnd:
        px.Int("WindowRectTopPos", r.nWindowTop, nullptr);
        px.Int("WindowRectBottomPos", r.nWindowBottom, nullptr);
        px.Int("WindowRectLeftPos", r.nWindowLeft, nullptr);
        px.Int("WindowRectRightPos", r.nWindowRight, nullptr);
        px.Bool("Collapsed", r.bCollapsed, false);
        px.Int("ExpandedHeight", r.nExpandedHeight, &zero);
        px.Int("TopContaner", r.nTopContainer, nullptr);
        break;
    default:
        break;
    }

    if (HasChildren(r.nType)) {
        int count = static_cast<int>(r.children.size());
        // A tab group's count has no default; splitters and panels load a missing one as 0.
        px.Int("Panes", count, loading && r.nType != kTabbed ? &zero : nullptr);
        // Every element has one parent at most, so no list can be longer than the layout.
        if (loading && (count < 0 || count > static_cast<int>(elements.size())))
            return Fail(reason, section, "child count " + std::to_string(count) + " out of range");
        r.children.resize(count);
        for (int i = 0; i < count; ++i)
            px.Int(SectionName(i + 1).c_str(), r.children[i], &zero);
        if (r.nType == kTabbed)
            px.Int("Selected", r.nSelected, &zero);
    }
    return true;
}

bool DockingPaneLayoutRecords::Check(std::string* reason)
{
    const int count = static_cast<int>(elements.size());
    if (count < 2)
        return Fail(reason, "Summary", "a layout needs at least 2 elements");

    // Every reference to a child names an element of an allowed type, and no element is
    // referenced twice.
    std::vector<int> parent(count + 1, 0);
    auto adopt = [&](int parentIndex, int child) {
        const std::string section = SectionName(parentIndex);
        int parentType = TypeAt(parentIndex);
        int childType = TypeAt(child);
        if (childType < 0)
            return Fail(reason, section, "child " + std::to_string(child) + " names no element");
        if (!MayHold(parentType, childType))
            return Fail(reason, section,
                        std::string(TypeName(parentType)) + " cannot hold " + TypeName(childType) + " (element " +
                            std::to_string(child) + ")");
        if (parent[child] != 0)
            return Fail(reason, section,
                        "element " + std::to_string(child) + " already belongs to element " +
                            std::to_string(parent[child]));
        parent[child] = parentIndex;
        return true;
    };
    for (int i = 1; i <= count; ++i) {
        DockingPaneElementRecord& r = elements[i - 1];
        for (int child : r.children)
            if (!adopt(i, child))
                return false;
        if (r.nType == kMiniWnd && !adopt(i, r.nTopContainer))
            return false;
        if (r.nType == kAutoHide && (r.nDirection < 0 || r.nDirection > 3))
            return Fail(reason, SectionName(i), "direction " + std::to_string(r.nDirection) + " out of range");
    }

    // One parent each: a walk upwards either ends at a root or goes round in a circle.
    for (int i = 1; i <= count; ++i) {
        int steps = 0;
        for (int up = parent[i]; up != 0; up = parent[up])
            if (++steps > count)
                return Fail(reason, SectionName(i), "the element lies inside itself");
    }

    if (TypeAt(nTopContainer) != kSplitter)
        return Fail(reason, "Summary", "\"TopContainer\" names no splitter");
    if (parent[nTopContainer] != 0)
        return Fail(reason, "Summary", "the top container lies inside another element");
    if (TypeAt(nClient) != kClient)
        return Fail(reason, "Summary", "\"Client\" names no client placeholder");
    int up = nClient;
    while (up != 0 && up != nTopContainer)
        up = parent[up];
    if (up != nTopContainer)
        return Fail(reason, "Summary", "the client placeholder lies outside the top container");

    for (DockingPaneElementRecord& r : elements) {
        for (int* size : {&r.nDockingCX, &r.nDockingCY, &r.nMinTrackX, &r.nMinTrackY, &r.nMaxTrackX, &r.nMaxTrackY,
                          &r.nExpandedHeight})
            Clamp(*size);
        for (int* holder : {&r.nDockingHolder, &r.nFloatingHolder, &r.nLastHolder})
            if (TypeAt(*holder) != kTabbed)
                *holder = 0;
    }
    return true;
}
