// The saved docking layout as plain records: their exchange through a key/value medium
// and the structural check a loaded set must pass before any element is made of it.
#pragma once

#include <string>
#include <vector>

// The medium the records are saved to and loaded from. Values go to the section last
// named; a section name reached twice gives the same section, and the keys are read
// back in the order they were written (an archive reads sequentially).
class DockingPaneLayoutExchange {
public:
    virtual ~DockingPaneLayoutExchange() = default;
    virtual bool IsLoading() const = 0;
    virtual void Section(const char* name) = 0;
    // Without a default a missing value keeps the variable and gives false.
    virtual bool Int(const char* key, int& value, const int* defaultValue) = 0;
    virtual bool Bool(const char* key, bool& value, bool defaultValue) = 0;
    virtual bool String(const char* key, std::string& value) = 0;
    // The exchange's own "Schema" value.
    virtual void Schema() = 0;
};

// One element of a saved layout. Every reference is a 1-based element index, 0 none.
struct DockingPaneElementRecord {
    enum { kMaxSize = 32000 };

    int nType = -1;  // DockingPaneType: 0 pane .. 5 auto-hide panel
    int nDockingCX = 0;
    int nDockingCY = 0;

    // Pane.
    std::string strTitle;
    int nID = 0;
    int nIconID = -1;
    int nOptions = 0;
    bool bHasHolders = false;  // the pane has a record of its holders
    int nDockingHolder = 0;
    int nFloatingHolder = 0;
    int nLastHolder = 0;
    int nMinTrackX = 0;
    int nMinTrackY = 0;
    int nMaxTrackX = kMaxSize;
    int nMaxTrackY = kMaxSize;

    // Splitter container.
    bool bHoriz = false;
    // Auto-hide panel.
    int nDirection = 0;
    // Splitter, tab group and panel: their children in order; a tab group's selection.
    std::vector<int> children;
    int nSelected = 0;

    // Floating mini frame: its screen rectangle and its splitter container.
    int nWindowTop = 0;
    int nWindowBottom = 0;
    int nWindowLeft = 0;
    int nWindowRight = 0;
    bool bCollapsed = false;
    int nExpandedHeight = 0;
    int nTopContainer = 0;
};

// A whole saved layout: "Summary" and one "Pane-%d" section per element.
class DockingPaneLayoutRecords {
public:
    enum Type { kPane = 0, kTabbed = 1, kSplitter = 2, kMiniWnd = 3, kClient = 4, kAutoHide = 5 };

    std::vector<DockingPaneElementRecord> elements;  // index i is element i + 1
    int nTopContainer = 0;
    int nClient = 0;

    // Writes the records (storing) or reads them (loading). Loading replaces the records
    // and then runs Check; false with a reason (section and cause) when either fails.
    bool Exchange(DockingPaneLayoutExchange& px, std::string* reason = nullptr);

    // The structure of a loaded set: one parent per element, no cycle, only the child types
    // each container may hold, the client placeholder below a top splitter that is a root.
    // Sizes are clamped to 0-32000; a holder that names no tab group becomes 0.
    bool Check(std::string* reason = nullptr);

    const DockingPaneElementRecord* At(int index) const;

private:
    void Write(DockingPaneLayoutExchange& px);
    bool Read(DockingPaneLayoutExchange& px, std::string* reason);
    bool ExchangeElement(DockingPaneLayoutExchange& px, int index, std::string* reason);
    int TypeAt(int index) const;
};
