// The host registry and the headless host.
#include "IdeServices.h"

#include <algorithm>

#include "ResourceIds.h"
#include "ResString.h"

namespace {
std::atomic<zCIdeServices*> g_ideServices{nullptr};
}

zCIdeServices* zGetIdeServices()
{
    return g_ideServices.load();
}

void zSetIdeServices(zCIdeServices* services)
{
    g_ideServices = services;
}

zSTRING zCHeadlessIde::GetProjectFolder()
{
    return zSTRING(projectFolder.c_str());
}

void zCHeadlessIde::Add(int kind, const std::string& file, const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex);
    AddLocked(kind, file, text);
}

void zCHeadlessIde::AddLocked(int kind, const std::string& file, const std::string& text)
{
    records.push_back({file, {kind, text}});
    if (kind == zMSG_WARNING)
        ++warnings;
    else if (kind == zMSG_ERROR)
        ++errors;
}

void zCHeadlessIde::AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal)
{
    const std::string name = file ? file : "";
    // Only warnings and errors carry a position; a plain message is its text alone.
    if ((kind == zMSG_WARNING || kind == zMSG_ERROR) && line != -1)
        Add(kind, name, name + "(" + std::to_string(line) + "):   " + static_cast<const std::string&>(text));
    else
        Add(kind, name, text);
    if (fatal)
        ReportBuildSummary(0);
}

void zCHeadlessIde::ReportBuildSummary(int broken)
{
    std::lock_guard<std::mutex> lock(mutex);
    const int summary = broken ? IDS_BUILD_SUMMARY_BROKEN : IDS_BUILD_SUMMARY;
    AddLocked(zMSG_PLAIN, "", FormatResString(summary, errors, warnings));
}

void zCHeadlessIde::ReplaceFileInLastMessages(const zSTRING& oldName, const zSTRING& newName)
{
    if (oldName.empty())
        return;
    std::lock_guard<std::mutex> lock(mutex);
    for (auto it = records.rbegin(); it != records.rend() && it->file == oldName; ++it) {
        it->file = newName;
        // A positioned line starts with its file name.
        if (it->line.text.compare(0, oldName.size(), oldName) == 0)
            it->line.text.replace(0, oldName.size(), newName);
    }
}

void zCHeadlessIde::InsertFilesInGame(int)
{
    // No game folders without the application: the list is only emptied.
    insertFiles.clear();
}

void zCHeadlessIde::SetProgressStep(int step)
{
    std::lock_guard<std::mutex> lock(mutex);
    progressStep = step;
    progress = 0;
}

void zCHeadlessIde::StepProgress()
{
    std::lock_guard<std::mutex> lock(mutex);
    progress = std::min(progress + progressStep, 100000);
}

void zCHeadlessIde::SetProgressPos(int pos)
{
    std::lock_guard<std::mutex> lock(mutex);
    progress = pos;
}

void zCHeadlessIde::UpdateAfterDecompile()
{
}

std::vector<zCHeadlessIde::Line> zCHeadlessIde::GetLines() const
{
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<Line> lines;
    lines.reserve(records.size());
    for (const Record& r : records)
        lines.push_back(r.line);
    return lines;
}

int zCHeadlessIde::GetWarningCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return warnings;
}

int zCHeadlessIde::GetErrorCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return errors;
}

int zCHeadlessIde::GetProgress() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return progress;
}

void zCHeadlessIde::Clear()
{
    std::lock_guard<std::mutex> lock(mutex);
    records.clear();
    warnings = errors = progress = progressStep = 0;
}
