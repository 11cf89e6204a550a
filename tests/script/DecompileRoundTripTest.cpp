// Compile, decompile, compile again: the second ".dat" is the first but for the
// source positions, and decompiling it again gives the same text.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DecompileFolders.h"
#include "DirectoryTools.h"
#include "FileLayerRoot.h"
#include "FileSandbox.h"
#include "FixtureProject.h"
#include "JobGlobals.h"
#include "JobGlobalsSnapshot.h"
#include "ReporterCapture.h"
#include "zCCSLib.h"
#include "zCCSManager.h"
#include "zCParser.h"
#include "zERROR.h"

namespace {

class DecompileRoundTripTest : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        // The main scripts: their output units are gathered and written back.
        g_jobProjectName = "VARNOK";
        host.GetSettings().BuildJobThread = 1;
        g_platform = zPLATFORM_FIRST_GAME;
        g_decompileFolders = GetDecompileFolders("VARNOK", 0);
        g_csManager->GetLibrary()->DeleteAll();
    }
    void TearDown() override
    {
        g_csManager->GetLibrary()->DeleteAll();
        ReporterCapture::TearDown();
    }

    static void DefineExternals(zCParser& parser)
    {
        DefineFixtureExternals(parser);
        parser.DefineExternal("Npc_IsDead", 0x65D3C0, zPAR_TYPE_INT, {zPAR_TYPE_INSTANCE});
    }

    // Compiles the list in the project folder into its ".dat"; false after an error,
    // with the messages in failure.
    bool CompileIn(FileSandbox& project, const std::string& list, std::string& failure)
    {
        FileLayerRoot layer(project.Root());
        g_jobMode = zJOB_COMPILE_SCRIPTS;
        host.Clear();
        zCParser compiler;
        DefineExternals(compiler);
        compiler.SetMergeMode(1);
        try {
            if (compiler.Compile(list.c_str()) != 0)
                return failure = ::testing::PrintToString(Texts()), false;
            compiler.BindClassOffset("C_NPC", 256);
            compiler.Link();
        } catch (const zTFatalAbort&) {
            failure = ::testing::PrintToString(Texts());
            return false;
        }
        failure = ::testing::PrintToString(Texts());
        return compiler.GetErrorCount() == 0 && host.GetErrorCount() == 0;
    }

    // The ".dat" loaded and decompiled into the project folder as "Varnok.src".
    bool DecompileInto(FileSandbox& project, const std::string& dat, std::string& failure)
    {
        project.Write("Loaded.dat", dat);
        FileLayerRoot layer(project.Root());
        g_jobMode = zJOB_DECOMPILE_DAT;
        host.Clear();
        zCParser decompiler;
        DefineExternals(decompiler);
        try {
            if (decompiler.LoadDat("Loaded.dat") != 0 || decompiler.Decompile("Varnok.src") != 0)
                return failure = ::testing::PrintToString(Texts()), false;
        } catch (const zTFatalAbort&) {
            failure = ::testing::PrintToString(Texts());
            return false;
        }
        failure = ::testing::PrintToString(Texts());
        return host.GetErrorCount() == 0;
    }

    // The ".dat" with every source position set to 0, as written back by the loader.
    std::string WithoutPositions(const std::string& dat)
    {
        FileSandbox scratch;
        scratch.Write("In.dat", dat);
        FileLayerRoot layer(scratch.Root());
        zCParser loader;
        EXPECT_EQ(loader.LoadDat("In.dat"), 0);
        zCPar_SymbolTable& table = loader.GetSymbolTable();
        for (int i = 0; i < table.GetNumInList(); ++i)
            table.GetSymbol(i)->SetSourcePosition(0, 0, 0, 0);
        EXPECT_EQ(loader.SaveDat("Out.dat"), 0);
        return scratch.Read("Out.dat");
    }

    // Every file of a decompiled project by its name in the source list, and the list.
    static std::map<std::string, std::string> Written(const FileSandbox& project)
    {
        std::map<std::string, std::string> files;
        const std::string list = project.Read("Varnok.src");
        files["Varnok.src"] = list;
        std::size_t at = 0;
        while (at < list.size()) {
            std::size_t end = list.find('\n', at);
            if (end == std::string::npos)
                end = list.size();
            std::string name = list.substr(at, end - at);
            at = end + 1;
            if (name.size() < 2 || name.compare(name.size() - 2, 2, ".d") != 0)
                continue;
            std::string host = name;
            for (char& c : host) {
                if (c == '\\')
                    c = '/';
            }
            files[name] = project.Read(host);
        }
        return files;
    }

    // The whole trip for the fixture project in data/<folder>, listed by list.
    void RoundTrip(const std::string& folder, const std::string& list)
    {
        FileSandbox original;
        for (const auto& entry : std::filesystem::directory_iterator(FixtureFolder() / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext == ".d" || ext == ".src")
                std::filesystem::copy_file(entry.path(), original.Path(entry.path().filename().string()));
        }
        std::string failure;
        ASSERT_TRUE(CompileIn(original, list, failure)) << failure;
        const std::string firstDat = original.Read(list.substr(0, list.find('.')) + ".dat");
        ASSERT_FALSE(firstDat.empty());

        FileSandbox first;
        ASSERT_TRUE(DecompileInto(first, firstDat, failure)) << failure;
        ASSERT_TRUE(CompileIn(first, "Varnok.src", failure)) << failure << "\n" << Dump(first);
        const std::string secondDat = first.Read("Varnok.dat");
        ASSERT_FALSE(secondDat.empty());
        EXPECT_TRUE(WithoutPositions(secondDat) == WithoutPositions(firstDat))
            << "the second .dat differs from the first\n"
            << Dump(first);

        FileSandbox second;
        ASSERT_TRUE(DecompileInto(second, secondDat, failure)) << failure;
        EXPECT_EQ(Written(second), Written(first));
    }

    // The decompiled files, for a failure message.
    static std::string Dump(const FileSandbox& project)
    {
        std::string text;
        for (const auto& file : Written(project))
            text += "=== " + file.first + "\n" + file.second;
        return text;
    }

private:
    JobGlobalsSnapshot savedGlobals;
};

TEST_F(DecompileRoundTripTest, TheCompilersFixtureProject)
{
    RoundTrip("LinkerFixture", "Fixture.src");
}

TEST_F(DecompileRoundTripTest, AProjectOfEveryDeclarationAndStatementForm)
{
    RoundTrip("DecompileFixture", "Fixture.src");
}

TEST_F(DecompileRoundTripTest, WithBlanksInCallsAndTheSecondGamesLayout)
{
    g_insertSpace = 1;
    g_platform = zPLATFORM_SECOND_GAME;
    g_decompileFolders = GetDecompileFolders("VARNOK", 1);
    RoundTrip("DecompileFixture", "Fixture.src");
}

} // namespace
