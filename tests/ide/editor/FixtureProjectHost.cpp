// A fixture project standing in for the application's project data.
#include "FixtureProjectHost.h"

#include <fstream>
#include <sstream>

#include "zCTypedInfo.h"

FixtureProjectHost::FixtureProjectHost(const std::string& folder, const std::string& name, const Files& files,
                                       const std::vector<std::string>& sources)
{
    projectFolder = folder + "\\";
    GetSettings().ProjectName = name;
    GetSettings().Platform = zPLATFORM_SECOND_GAME;
    GetSettings().Language = 1033;
    for (const auto& [file, bytes] : files)
        std::ofstream(projectFolder + file, std::ios::binary) << bytes;
    {
        std::ofstream list(projectFolder + name + ".src", std::ios::binary);
        for (const std::string& source : sources)
            list << source << "\r\n";
    }
    std::ifstream list(projectFolder + name + ".src", std::ios::binary);
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            sourceList.push_back(line);
    }
    sourceListEntries = int(sourceList.size());
    zSetIdeServices(this);
}

FixtureProjectHost::~FixtureProjectHost()
{
    if (zGetIdeServices() == this)
        zSetIdeServices(nullptr);
    g_typedInfo.Clear();
}

void FixtureProjectHost::BuildModel()
{
    zTClassViewProject project;
    project.folder = projectFolder;
    project.name = GetSettings().ProjectName;
    project.secondGame = GetSettings().Platform == zPLATFORM_SECOND_GAME;
    project.languageId = GetSettings().Language & 0x3FF;
    project.internalFolder = projectFolder;
    for (const std::string& source : sourceList)
        project.sources.emplace_back(source);
    g_typedInfo.BuildClassView(project);
}
