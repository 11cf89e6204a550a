// A generated script project for the benchmarks: numbered units of a class, a prototype,
// instances, globals and functions with bodies, 100 units to a file, and its source list.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

constexpr int kUnitsPerFile = 100;

// Writes unit n; the number of lines written.
inline int WriteUnit(std::ofstream& out, int n)
{
    out << "class C_Unit_" << n << " {\n"
        << "    var int id;\n"
        << "    var string name;\n"
        << "    var int values[4];\n"
        << "    var func routine;\n"
        << "};\n"
        << "prototype P_Unit_" << n << "(C_Unit_" << n << ") {\n"
        << "    id = " << n << ";\n"
        << "    name = \"unit; // { " << n << "\";\n"
        << "};\n"
        << "instance Unit_" << n << "(P_Unit_" << n << ") { values[1] = 3; };\n"
        << "instance Spare_" << n << "(C_Unit_" << n << ");\n"
        << "const int MAX_" << n << " = " << n << ";\n"
        << "var int counter_" << n << ";\n"
        << "func void Say_" << n << "(var C_Unit_" << n << " slf, var string text) {\n"
        << "    counter_" << n << " = counter_" << n << " + 1;\n"
        << "};\n"
        << "func int Compute_" << n << "(var int a, var int b) {\n"
        << "    var int total;\n"
        << "    total = a + b * 2;\n"
        << "    if (total > MAX_" << n << ") {\n"
        << "        total = total - 1;\n"
        << "    } else {\n"
        << "        total = total + 1;\n"
        << "    };\n"
        << "    return total;\n"
        << "};\n";
    return 27;
}

struct GeneratedProject {
    int lines = 0;
    int units = 0;
    std::vector<std::string> sources;  // in list order
};

// Units until at least wantedLines are written, in "part<k>.d" files listed in listName.
inline GeneratedProject WriteProject(const std::filesystem::path& folder, const std::string& listName, int wantedLines)
{
    GeneratedProject project;
    std::ofstream list(folder / listName, std::ios::binary);
    std::ofstream out;
    while (project.lines < wantedLines) {
        if (project.units % kUnitsPerFile == 0) {
            const std::string name = "part" + std::to_string(project.units / kUnitsPerFile) + ".d";
            out.close();
            out.open(folder / name, std::ios::binary);
            list << name << "\r\n";
            project.sources.push_back(name);
        }
        project.lines += WriteUnit(out, project.units++);
    }
    return project;
}

}  // namespace bench
