// A stand-in for the application's project data until the application has it: a fixture
// project written to a folder, whose name, folder, platform, language and source list
// this host answers, and whose class-view symbol model it builds.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "IdeServices.h"

class FixtureProjectHost : public zCHeadlessIde {
public:
    using Files = std::vector<std::pair<std::string, std::string>>;  // name, bytes

    // Writes the files into the folder and "<name>.src" listing the sources, then reads the
    // list back; the host becomes the process's IDE services.
    FixtureProjectHost(const std::string& folder, const std::string& name, const Files& files,
                       const std::vector<std::string>& sources);
    ~FixtureProjectHost() override;
    FixtureProjectHost(const FixtureProjectHost&) = delete;
    FixtureProjectHost& operator=(const FixtureProjectHost&) = delete;

    // The source list as read from the project's list file.
    const std::vector<std::string>& GetSourceList() const { return sourceList; }
    // Rebuilds the global symbol model from the project.
    void BuildModel();

private:
    std::vector<std::string> sourceList;
};
