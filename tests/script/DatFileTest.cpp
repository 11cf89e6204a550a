// The compiled script file: its layout byte by byte, loading and writing it back
// unchanged, refusing foreign and damaged files, and the symbol dump.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "FixtureProject.h"
#include "JobGlobals.h"
#include "JobGlobalsSnapshot.h"
#include "ParserCodeFixture.h"
#include "zCCSManager.h"

namespace {

class DatFileTest : public ParserCodeFixture {
protected:
    // A symbol record: has-name and name, the seven words, the content bytes, the parent.
    static std::string Record(const std::string& name, std::int32_t offset, std::int32_t packed,
                              const std::string& content, std::int32_t parent,
                              std::vector<std::int32_t> position = {0, 0, 0, 0})
    {
        std::string out = Int(name.empty() ? 0 : 1);
        if (!name.empty())
            out += name + "\n";
        out += Int(offset) + Int(packed) + Int(0);
        for (std::int32_t word : position)
            out += Int(word);
        return out + content + Int(parent);
    }

    static std::int32_t Packed(int count, int type, int flags)
    {
        return count | type << 12 | flags << 16;
    }

    // Symbols of every kind and two bodies, linked; the literal "Hi" becomes symbol 9.
    void BuildProgram()
    {
        zCPar_Symbol* npc = DefineClass("C_NPC", {{"ID", zPAR_TYPE_INT, 1}});
        Define("", zPAR_TYPE_INT)->SetValue(7);
        zCPar_Symbol* arr = Define("ARR", zPAR_TYPE_INT, 3, nullptr, zPAR_FLAG_CONST);
        for (int i = 0; i < 3; ++i)
            arr->SetValue(i + 1, i);
        zCPar_Symbol* texts = Define("TEXTS", zPAR_TYPE_STRING, 2, nullptr, zPAR_FLAG_CONST);
        texts->SetValue(zSTRING("a"), 0);
        texts->SetValue(zSTRING("bc"), 1);
        zCPar_Symbol* f = DefineFunction("F", zPAR_FLAG_CONST | zPAR_FLAG_RETURN);
        f->SetOffset(zPAR_TYPE_INT);
        f->SetSourcePosition(3, 2, 10, 20);
        Define("HERO", zPAR_TYPE_INSTANCE, 1, npc, zPAR_FLAG_CONST);
        Define("PI", zPAR_TYPE_FLOAT, 1, nullptr, zPAR_FLAG_CONST)->SetValue(1.5f);
        parser.BindClassOffset("C_NPC", 256);

        LinkChain(Chain({
            Node(EXP_FUNC, "F"), Text("Hi"), Name("TEXTS", zPAR_TYPE_STRING), Node(EXP_LET_STRING), Digit(5),
            Node(EXP_END_BLOCK), Node(EXP_END_FUNC),
            Node(EXP_PROTOTYPE, "HERO"), Op(EXP_LET, Name("ID"), Digit(1)), Node(EXP_END_BLOCK),
            Node(EXP_END_PROTOTYPE),
        }));
        ASSERT_FALSE(HasLine("Error"));
    }

    // The program's file, written from the layout rules.
    static std::string ExpectedProgram()
    {
        std::uint32_t onePointFive = 0;
        const float value = 1.5f;
        std::memcpy(&onePointFive, &value, 4);
        CodeBytes code;
        code.Op(65, 9).Op(65, 5).Op(70).Op(64, 5).Op(60).Op(60);  // F at 0
        code.Op(64, 1).Op(65, 2).Op(9).Op(60);                      // HERO at 18
        std::string codeBytes;
        for (int byte : code.bytes)
            codeBytes += static_cast<char>(byte);

        std::string out = "\x32" + Int(10);
        for (int number : {3, 4, 1, 2, 6, 7, 8, 5, 9, 0})
            out += Int(number);
        out += Record("\xFFINSTANCE_HELP", 0, Packed(1, 7, 0), Int(0), -1);
        out += Record("C_NPC", 4, Packed(1, 4, 0), Int(256), -1);
        out += Record("C_NPC.ID", 256, Packed(1, 2, 4), "", 1);
        out += Record("", 0, Packed(1, 2, 0), Int(7), -1);
        out += Record("ARR", 0, Packed(3, 2, 1), Int(1) + Int(2) + Int(3), -1);
        out += Record("TEXTS", 0, Packed(2, 3, 1), "a\nbc\n", -1);
        out += Record("F", 2, Packed(0, 5, 3), Int(0), -1, {3, 2, 10, 20});
        out += Record("HERO", 0, Packed(1, 7, 1), Int(18), 1);
        out += Record("PI", 0, Packed(1, 1, 1), Int(static_cast<std::int32_t>(onePointFive)), -1);
        out += Record("\xFF" "10000", 0, Packed(1, 3, 1), "Hi\n", -1);
        return out + Int(static_cast<std::int32_t>(codeBytes.size())) + codeBytes;
    }

    int SymbolCount() const { return parser.GetSymbolTable().GetNumInList(); }
};

TEST_F(DatFileTest, LayoutFollowsTheSymbolsAndTheCode)
{
    BuildProgram();
    ASSERT_EQ(parser.SaveDat("Prog.dat"), 0);
    EXPECT_EQ(box.Read("Prog.dat"), ExpectedProgram());
    EXPECT_TRUE(HasLine("Prog.dat"));
}

TEST_F(DatFileTest, LoadingAndWritingBackKeepsEveryByte)
{
    box.Write("Prog.dat", ExpectedProgram());
    ASSERT_EQ(parser.LoadDat("Prog.dat"), 0);
    EXPECT_EQ(SymbolCount(), 10);
    EXPECT_EQ(parser.GetHelpInstance(), 0);
    EXPECT_EQ(parser.GetCodeStack().GetDynSize(), 30);
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol("HERO")->GetParent(), parser.GetSymbolTable().GetSymbol("C_NPC"));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Loading data...", "Prog.dat"}));

    ASSERT_EQ(parser.SaveDat("Copy.dat"), 0);
    EXPECT_EQ(box.Read("Copy.dat"), ExpectedProgram());

    // The resave job: the name's file part with ".dat", read and written again.
    zCParser other;
    ASSERT_EQ(other.ReSaveDat("Prog.src"), 1);
    EXPECT_EQ(box.Read("Prog.dat"), ExpectedProgram());
}

TEST_F(DatFileTest, AForeignFileIsRefusedAndChangesNothing)
{
    BuildProgram();
    const int symbols = SymbolCount();
    const std::vector<int> code = Code();
    std::string foreign = ExpectedProgram();
    foreign[0] = '\x31';
    box.Write("Foreign.dat", foreign);
    box.Write("Empty.dat", "");
    host.Clear();

    parser.SetErrorMode(zPAR_ERROR_FATAL);
    EXPECT_EQ(parser.LoadDat("Foreign.dat"), -1);
    EXPECT_EQ(parser.LoadDat("Empty.dat"), -1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Loading data...", "Error: Dat-File is not compatible.",
                                                 "Loading data...", "Error: Dat-File is not compatible."}));
    // Counted, so the link that follows stops the job.
    EXPECT_EQ(parser.GetErrorCount(), 2);
    EXPECT_EQ(parser.GetErrorMode(), zPAR_ERROR_FATAL);
    EXPECT_EQ(SymbolCount(), symbols);
    EXPECT_EQ(Code(), code);
    EXPECT_EQ(parser.GetHelpInstance(), 0);
}

TEST_F(DatFileTest, DamagedFilesLeaveTheParserEmpty)
{
    const std::string good = ExpectedProgram();
    const std::size_t countAt = 1;
    const std::size_t codeSizeAt = good.size() - 30 - 4;
    std::vector<std::pair<std::string, std::string>> damaged;
    // Every cut: no prefix of the file is a whole program.
    for (std::size_t length = 1; length < good.size(); ++length)
        damaged.emplace_back("cut at " + std::to_string(length), good.substr(0, length));
    auto patched = [&](std::size_t at, std::int32_t value) {
        std::string bytes = good;
        bytes.replace(at, 4, Int(value));
        return bytes;
    };
    damaged.emplace_back("huge symbol count", patched(countAt, 0x7FFFFFFF));
    damaged.emplace_back("negative symbol count", patched(countAt, -1));
    damaged.emplace_back("sorted index out of range", patched(countAt + 4, 10));
    damaged.emplace_back("huge code size", patched(codeSizeAt, 0x7FFFFFF0));
    damaged.emplace_back("negative code size", patched(codeSizeAt, -30));
    damaged.emplace_back("code size past the end", patched(codeSizeAt, 31));

    for (const auto& d : damaged) {
        SCOPED_TRACE(d.first);
        parser.Reset();
        parser.SetErrorMode(zPAR_ERROR_FATAL);
        Define("KEPT_BEFORE", zPAR_TYPE_INT);
        host.Clear();
        box.Write("Damaged.dat", d.second);
        EXPECT_EQ(parser.LoadDat("Damaged.dat"), -1);
        EXPECT_EQ(SymbolCount(), 0);
        EXPECT_EQ(parser.GetCodeStack().GetDynSize(), 0);
        EXPECT_EQ(parser.GetHelpInstance(), -1);
        EXPECT_EQ(parser.GetErrorCount(), 1);
        EXPECT_TRUE(HasLine("Error: Dat-File 'Damaged.dat' is damaged: a count or size does not fit the file."));
    }
}

TEST_F(DatFileTest, BindingALoadedProgramOnlyChecksThePlatform)
{
    box.Write("Prog.dat", ExpectedProgram());
    const int savedJobMode = g_jobMode;
    g_jobMode = zJOB_DECOMPILE_DAT;
    const int loaded = parser.Compile("Prog.src");
    g_jobMode = savedJobMode;
    ASSERT_EQ(loaded, 0);
    ASSERT_TRUE(parser.IsLinked());
    host.Clear();

    parser.SetErrorMode(zPAR_ERROR_FATAL);
    parser.BindClassOffset("C_NPC", 256);
    EXPECT_TRUE(Texts().empty());
    parser.BindClassOffset("C_NPC", 288);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Error: Dat-File is not compatible! Change platform!"});
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol("C_NPC")->GetContent(), 256);
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol("C_NPC.ID")->GetOffset(), 256);

    // Counted: the link that follows ends the job and writes nothing.
    EXPECT_THROW(parser.Link(), zTFatalAbort);
    EXPECT_TRUE(HasLine("Process stopped..."));
    EXPECT_EQ(box.Read("Prog.dat"), ExpectedProgram());
}

TEST_F(DatFileTest, NothingIsWrittenWhenTheResaveCannotRead)
{
    box.Write("Bad.dat", "\x32" + Int(1000));
    EXPECT_EQ(parser.ReSaveDat("Bad"), -1);
    EXPECT_EQ(box.Read("Bad.dat"), "\x32" + Int(1000));
}

TEST_F(DatFileTest, SymbolDumpPrintsBodiesWithTheirJumpTargets)
{
    Define("X", zPAR_TYPE_INT);
    const int x = Index("X");
    zCPar_Symbol* ext = DefineFunction("EXT", zPAR_FLAG_CONST | zPAR_FLAG_EXTERNAL);
    ext->SetElementCount(1);
    Define("EXT.PAR0", zPAR_TYPE_INT);
    DefineFunction("F");
    // IF X {X = 2;} ELSE {X = 3;}; then a literal.
    LinkChain(Chain({Node(EXP_FUNC, "F"), Name("X"), Node(EXP_IF, "", 0),
                     Op(EXP_LET, Name("X"), Digit(2)), Node(EXP_ELSE, "", 1), Node(EXP_END_IF, "", 0),
                     Op(EXP_LET, Name("X"), Digit(3)), Node(EXP_END_IF, "", 1), Text("T"), Node(EXP_END_FUNC)}),
              2);
    ASSERT_FALSE(HasLine("Error"));
    ASSERT_EQ(x, 1);
    // After the literals: not printed.
    Define("AFTER", zPAR_TYPE_INT);
    host.Clear();

    ASSERT_EQ(parser.DumpSymbols(), 0);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Symbols.txt - Creating..."});
    const std::string dump = box.Read("Symbols.txt");

    std::vector<std::string> names;
    for (std::size_t at = dump.find("Name = "); at != std::string::npos; at = dump.find("Name = ", at + 1))
        names.push_back(dump.substr(at + 7, dump.find('\n', at) - at - 7));
    EXPECT_EQ(names, (std::vector<std::string>{"X", "F"}));

    zSTRING literal = parser.GetSymbolTable().GetSymbol(5)->name;
    literal.Lower();
    const std::string code = "StackPos = 0\n"
                             "E_RF x E_IF 26\n E_DT 2 E_RF x =\n \nE_ELSE 37 \n26:\n"
                             "E_DT 3 E_RF x =\n \n37:\n"
                             "E_RF " + literal + " E_END \n";
    EXPECT_NE(dump.find(code), std::string::npos) << dump;
    EXPECT_EQ(dump.substr(dump.size() - code.size()), code);
}

class FixtureProjectTest : public DatFileTest {
protected:
    void SetUp() override
    {
        DatFileTest::SetUp();
        g_jobMode = zJOB_COMPILE_SCRIPTS;
        parser.SetErrorMode(zPAR_ERROR_FATAL);
    }

    // The sources into the sandbox; the expected files stay where they are.
    void CopySources(const std::filesystem::path& folder)
    {
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext == ".d" || ext == ".src")
                std::filesystem::copy_file(entry.path(), box.Path(entry.path().filename().string()));
        }
    }

private:
    JobGlobalsSnapshot savedGlobals;
};

// The parent lines print addresses: only whether there is a parent is compared.
std::string WithoutAddresses(const std::string& dump)
{
    std::string out;
    std::size_t at = 0;
    while (at < dump.size()) {
        std::size_t end = dump.find('\n', at);
        end = end == std::string::npos ? dump.size() : end + 1;
        const std::string line = dump.substr(at, end - at);
        out += line.rfind("Parent = ", 0) == 0 && line != "Parent = 0\n" ? "Parent = *\n" : line;
        at = end;
    }
    return out;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(FixtureProjectTest, CompilesToTheExpectedDatAndDump)
{
    const std::filesystem::path folder = FixtureFolder() / "LinkerFixture";
    CopySources(folder);
    DefineFixtureExternals(parser);
    parser.SetMergeMode(1);
    ASSERT_EQ(parser.Compile("Fixture.src"), 0);
    parser.BindClassOffset("C_NPC", 256);
    parser.Link();
    ASSERT_EQ(parser.DumpSymbols(), 0);

    EXPECT_EQ(Texts(), (std::vector<std::string>{"Compiling...", "Classes.d", "Functions.d", "Instances.d",
                                                 "Merged.d", "Linking...", "Symbols: 52", "Code Size: 429 bytes.",
                                                 "Fixture.dat", "Symbols.txt - Creating..."}));
    EXPECT_TRUE(box.Read("Fixture.dat") == ReadFile(folder / "Expected.dat"));
    EXPECT_EQ(WithoutAddresses(box.Read("Symbols.txt")), ReadFile(folder / "ExpectedSymbols.txt"));
    // The dialogue line of the output-unit call, with its comment as the text.
    EXPECT_EQ(g_csManager->FindOutputUnit("Info_Greet_15_01"), "Hello there!");

    // Loaded and written back, the file stays the same.
    zCParser loader;
    ASSERT_EQ(loader.LoadDat("Fixture.dat"), 0);
    ASSERT_EQ(loader.SaveDat("Again.dat"), 0);
    EXPECT_TRUE(box.Read("Again.dat") == ReadFile(folder / "Expected.dat"));
}

TEST_F(FixtureProjectTest, ErrorsNameFileAndLineAndLeaveNoDat)
{
    const struct {
        const char* file;
        const char* message;
        bool fatal;  // else counted, and the link stops the job
    } cases[] = {
        {"NoReturn.d", "NoReturn.d(9):   Error: Func does not return - int", true},
        {"OutOfBounds.d", "OutOfBounds.d(7):   Error: Index = 5 out of bounds array 'PAIR'.", false},
        {"LargeIndex.d", "LargeIndex.d(7):   Error: Array-Index too large for the byte code (255 at most): BIG [256]",
         true},
    };
    const std::filesystem::path folder = FixtureFolder() / "LinkerErrors";
    CopySources(folder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        parser.Reset();
        host.Clear();
        host.GetSettings().BuildJobThread = 1;
        EXPECT_THROW(
            {
                parser.Compile(c.file);
                parser.Link();
            },
            zTFatalAbort);
        EXPECT_TRUE(HasLine(c.message));
        EXPECT_EQ(HasLine("Process stopped..."), !c.fatal);
        const std::string dat = std::string(c.file).substr(0, std::string(c.file).find('.')) + ".dat";
        EXPECT_FALSE(box.Exists(dat));
    }
}

TEST_F(FixtureProjectTest, OnlyConditionFunctionsMayEndInAnIfThatReturnsTrue)
{
    CopySources(FixtureFolder() / "LinkerErrors");
    ASSERT_EQ(parser.Compile("Conditions.d"), 0);
    parser.Link();
    const std::vector<std::string> warnings = [this] {
        std::vector<std::string> found;
        for (const std::string& line : Texts()) {
            if (line.find("Warning: ") != std::string::npos)
                found.push_back(line);
        }
        return found;
    }();
    EXPECT_EQ(warnings, std::vector<std::string>{"Conditions.d(18):   Warning: Function should return value"});
    EXPECT_TRUE(box.Exists("Conditions.dat"));
}

} // namespace
