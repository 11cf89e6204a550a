// The decompiler's declaration writers: one symbol of the loaded program (with its
// members, parameters and locals) back into its declaration; bodies go to the
// statement writer (zCParserDecompilerCode.cpp).
//
// Each text is written so that the compiler makes the same symbols and the same
// byte code from it again.
#include "zCParserDecompiler.h"

#include "zCParser.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "ParNames.h"
#include "zCParOpcodes.h"
#include "zFILE.h"

namespace {

const char* const kTypeWords[] = {"void ", "float ", "int ", "string ", "DUMMY ", "func "};

const char* const kAttitudes[] = {"ATT_HOSTILE", "ATT_ANGRY", "ATT_NEUTRAL", "ATT_FRIENDLY"};

const int kValuesPerLine = 16;
const int kInstanceCallSize = 5;  // call opcode and address
const int kParameterPopSize = 6;  // push opcode, symbol number, assignment opcode
// Declarations merged into one instance that are written back one by one.
const int kMaxMergedBodies = 64;

bool StartsWith(const zSTRING& text, const zSTRING& prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// 1 << n for the powers of two from 1024 on, as the scripts write their flags.
zSTRING IntText(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if (bits >= 1024u && (bits & (bits - 1u)) == 0u) {
        int shift = 0;
        while ((1u << shift) != bits)
            ++shift;
        return "1 << " + zSTRING(shift);
    }
    return zSTRING(static_cast<int>(value));
}

// What the compiler's float reader makes of a word: a double, then a float.
float ReadBack(const std::string& text)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 0.0;
    in >> value;
    if (in.fail())
        value = std::fabs(value) >= 1.0 ? HUGE_VAL : 0.0;
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// Scientific digits ("1.25e-03") as plain decimal digits with one point ("0.00125").
std::string PlainDecimal(const char* first, const char* last)
{
    const std::string text(first, last);
    const std::size_t e = text.find('e');
    std::string digits;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            digits += text[i];
    }
    const int exponent = std::stoi(text.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int point = exponent + 1;  // digits before the point
    const int count = static_cast<int>(digits.size());
    if (point <= 0)
        return "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    if (point >= count)
        return digits + std::string(static_cast<std::size_t>(point - count), '0') + ".0";
    return digits.substr(0, static_cast<std::size_t>(point)) + "." + digits.substr(static_cast<std::size_t>(point));
}

} // namespace

zSTRING zCParserDecompiler::DecompileFloatText(float value)
{
    if (std::isnan(value))
        return zSTRING();
    const std::string sign = std::signbit(value) ? "-" : "";
    const float magnitude = std::fabs(value);
    // Beyond the largest float the reader gives infinity.
    if (std::isinf(magnitude))
        return (sign + "1" + std::string(39, '0') + ".0").c_str();
    char buffer[64];
    const auto shortest = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    std::string text = PlainDecimal(buffer, shortest.ptr);
    // The reader rounds through a double; where that lands elsewhere, more digits.
    for (int precision = 1; ReadBack(text) != magnitude && precision <= 17; ++precision) {
        const auto more =
            std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, precision);
        text = PlainDecimal(buffer, more.ptr);
    }
    return (sign + text).c_str();
}

void zCParserDecompiler::WriteDecompiled(zFILE& file, const zSTRING& text)
{
    file.Write(text);
    for (const char c : text) {
        if (c == '\n')
            ++decompileLineCount;
    }
}

zSTRING zCParserDecompiler::DecompileSpelling(const zSTRING& name, bool lower) const
{
    zSTRING spelled = name;
    if (nameBase.RestoreCase(spelled) != 0 && lower)
        spelled.Lower();
    return spelled;
}

zSTRING zCParserDecompiler::DecompileOwnName(const zSTRING& name)
{
    const auto dot = name.find('.');
    return dot == std::string::npos ? name : zSTRING(name.substr(dot + 1));
}

zSTRING zCParserDecompiler::DecompileTypeText(zCPar_Symbol* symbol, zCPar_Symbol* owningClass)
{
    const int type = symbol->GetType();
    if (type != zPAR_TYPE_INSTANCE)
        return type >= 0 && type <= zPAR_TYPE_FUNC ? zSTRING(kTypeWords[type]) : zSTRING("DUMMY ");
    zCPar_Symbol* classSymbol = symbol->GetParent();
    if (classSymbol && classSymbol->GetType() == zPAR_TYPE_PROTOTYPE)
        classSymbol = classSymbol->GetParent();
    // A member of a class type keeps only its own class as parent.
    if (!classSymbol || classSymbol->GetType() != zPAR_TYPE_CLASS)
        classSymbol = owningClass;
    if (!classSymbol && decompileFirstClass >= 0)
        classSymbol = symtab.GetSymbol(decompileFirstClass);
    return (classSymbol ? DecompileSpelling(classSymbol->name, false) : zSTRING("DUMMY")) + " ";
}

std::int32_t zCParserDecompiler::DecompileCodeInt(int offset) const
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | codeStack.GetByteAt(offset + i);
    return static_cast<std::int32_t>(value);
}

bool zCParserDecompiler::IsDecompiledFunction(int number)
{
    zCPar_Symbol* symbol = symtab.GetSymbol(number);
    // A func variable has no value; a func constant names its function and has no
    // parameters, which a function of one or more parameters has after it.
    if (!symbol->HasFlag(zPAR_FLAG_CONST))
        return false;
    if (symbol->HasFlag(zPAR_FLAG_RETURN) || symbol->GetElementCount() <= 0)
        return true;
    zCPar_Symbol* next = symtab.GetSymbol(number + 1);
    return next && StartsWith(next->name, symbol->name + ".");
}

// Functions (not func values or externals), prototypes, and instances declared as
// such: an instance variable has elements and holds no code address.
bool zCParserDecompiler::HasDecompiledBody(int number)
{
    const zCPar_Symbol* symbol = symtab.GetSymbol(number);
    if (!symbol || symbol->HasFlag(zPAR_FLAG_CLASSVAR) || symbol->name.find('.') != std::string::npos)
        return false;
    switch (symbol->GetType()) {
    case zPAR_TYPE_FUNC:
        return !symbol->HasFlag(zPAR_FLAG_EXTERNAL) && IsDecompiledFunction(number);
    case zPAR_TYPE_PROTOTYPE:
        return true;
    case zPAR_TYPE_INSTANCE:
        return symbol->GetElementCount() == 0;
    default:
        return false;
    }
}

int zCParserDecompiler::DecompileVariable(zFILE& file, int number, const zSTRING& indent)
{
    zCPar_Symbol* symbol = symtab.GetSymbol(number);
    const bool global = indent.empty();
    if (global)
        SetDecompileFileKey(symbol->name, false);
    const int type = symbol->GetType();
    const int count = symbol->GetElementCount();
    const zSTRING name = DecompileName(zTDecompName::kOwn, symbol, number);
    const zSTRING typeWord = kTypeWords[type];

    zSTRING text;
    if (count > 1 && global)
        text += "\n";
    if (!symbol->HasFlag(zPAR_FLAG_CONST)) {
        text += indent;
        text += "var ";
        text += typeWord;
        text += name;
        if (count > 1) {
            text += '[';
            text += ArraySizeText(symbol, count);
            text += ']';
        }
        text += ";\n";
        WriteDecompiled(file, text);
        return number;
    }

    const auto floatText = [&](int index) {
        float value = 0.0f;
        symbol->GetValue(value, index);
        zSTRING written = DecompileFloatText(value);
        if (written.empty()) {
            DecompileDamaged(symbol->name);
            written = "0.0";
        }
        return written;
    };
    const auto stringText = [&](int index) {
        zSTRING value;
        symbol->GetValue(value, index);
        return "\"" + value + "\"";
    };

    if (count <= 1) {
        zSTRING value;
        if (type == zPAR_TYPE_INT) {
            int intValue = 0;
            symbol->GetValue(intValue, 0);
            // The game keeps this function reference as an int.
            zCPar_Symbol* target = symbol->name == "PLAYER_PERC_ASSESSMAGIC" ? symtab.GetSymbol(intValue) : nullptr;
            if (target && target->GetType() == zPAR_TYPE_FUNC) {
                WriteDecompiled(file, indent + "const func PLAYER_PERC_ASSESSMAGIC = " +
                                          DecompileSpelling(target->name, false) + ";\n");
                return number;
            }
            value = IntText(intValue);
        } else if (type == zPAR_TYPE_FLOAT) {
            value = floatText(0);
        } else {
            value = stringText(0);
        }
        WriteDecompiled(file, text + indent + "const " + typeWord + name + " = " + value + ";\n");
        return number;
    }

    text += indent + "const " + typeWord + name + "[" + ArraySizeText(symbol, count) + "] =\n{\n";
    if (type == zPAR_TYPE_STRING) {
        for (int i = 0; i < count; ++i)
            text += "\t" + stringText(i) + (i + 1 < count ? ",\n" : "\n");
    } else {
        const bool attitudes = UpperCopy(symbol->name).find("GIL_ATTITUDES") != std::string::npos;
        zSTRING line = "\t";
        for (int i = 0; i < count; ++i) {
            if (type == zPAR_TYPE_FLOAT) {
                line += floatText(i);
            } else {
                int value = 0;
                symbol->GetValue(value, i);
                zSTRING element = zSTRING(value);
                // By name where the constant of that name says the same, before the array.
                if (attitudes && value >= 0 && value < 4) {
                    const int constant = symtab.GetIndex(zSTRING(kAttitudes[value]));
                    zCPar_Symbol* named = constant >= 0 && constant < number ? symtab.GetSymbol(constant) : nullptr;
                    int namedValue = -1;
                    if (named && named->GetType() == zPAR_TYPE_INT && named->HasFlag(zPAR_FLAG_CONST))
                        named->GetValue(namedValue, 0);
                    if (namedValue == value)
                        element = DecompileSpelling(named->name, false);
                }
                line += element;
            }
            if (i + 1 < count)
                line += ",";
            if ((i + 1) % kValuesPerLine == 0 || i + 1 == count) {
                text += line + "\n";
                line = "\t";
            }
        }
    }
    WriteDecompiled(file, text + "};\n");
    return number;
}

int zCParserDecompiler::DecompileFuncValue(zFILE& file, int number, const zSTRING& indent)
{
    zCPar_Symbol* symbol = symtab.GetSymbol(number);
    if (indent.empty())
        SetDecompileFileKey(symbol->name, false);
    const int count = symbol->GetElementCount();
    const zSTRING name = DecompileSpelling(DecompileOwnName(symbol->name), true);
    const zSTRING size = count > 1 ? "[" + ArraySizeText(symbol, count) + "]" : zSTRING();
    if (!symbol->HasFlag(zPAR_FLAG_CONST)) {
        WriteDecompiled(file, indent + "var func " + name + size + ";\n");
        return number;
    }
    // The constant keeps one value, the number of the function it names.
    zCPar_Symbol* target = symtab.GetSymbol(symbol->GetContent());
    zSTRING value;
    if (target) {
        value = DecompileSpelling(target->name, false);
    } else {
        value = zSTRING(static_cast<int>(symbol->GetContent()));
        DecompileDamaged(symbol->name);
    }
    if (count <= 1) {
        WriteDecompiled(file, indent + "const func " + name + " = " + value + ";\n");
        return number;
    }
    zSTRING text = indent + "const func " + name + size + " =\n{\n\t";
    for (int i = 0; i < count; ++i)
        text += value + (i + 1 < count ? "," : "\n");
    WriteDecompiled(file, text + "};\n");
    return number;
}

void zCParserDecompiler::AppendVarDeclaration(zSTRING& text, zCPar_Symbol* symbol, int number,
                                              zCPar_Symbol* owningClass)
{
    text += "var ";
    text += DecompileTypeText(symbol, owningClass);
    text += DecompileName(zTDecompName::kOwn, symbol, number);
    if (symbol->GetElementCount() > 1) {
        text += '[';
        text += ArraySizeText(symbol, symbol->GetElementCount());
        text += ']';
    }
}

int zCParserDecompiler::DecompileClass(zFILE& file, int number)
{
    zCPar_Symbol* classSymbol = symtab.GetSymbol(number);
    SetDecompileFileKey(classSymbol->name, false);
    zSTRING text = "class " + DecompileSpelling(classSymbol->name, false) + "\n{\n";
    const zSTRING prefix = classSymbol->name + ".";
    int last = number;
    for (int i = 0; i < classSymbol->GetElementCount(); ++i) {
        zCPar_Symbol* member = symtab.GetSymbol(number + 1 + i);
        if (!member || !StartsWith(member->name, prefix))
            break;
        last = number + 1 + i;
        text += '\t';
        AppendVarDeclaration(text, member, last, classSymbol);
        text += ";\n";
    }
    text += "};\n\n";
    WriteDecompiled(file, text);
    return last;
}

int zCParserDecompiler::DecompileLocals(zFILE& file, zCPar_Symbol* owner, int after)
{
    const zSTRING prefix = owner->name + ".";
    const int count = symtab.GetNumInList();
    int last = after;
    for (int i = after + 1; i < count; ++i) {
        zCPar_Symbol* local = symtab.GetSymbol(i);
        if (!local || !StartsWith(local->name, prefix))
            break;
        const int type = local->GetType();
        if (type == zPAR_TYPE_FLOAT || type == zPAR_TYPE_INT || type == zPAR_TYPE_STRING) {
            DecompileVariable(file, i, "\t");
        } else if (type == zPAR_TYPE_FUNC) {
            DecompileFuncValue(file, i, "\t");
        } else if (type == zPAR_TYPE_INSTANCE) {
            zSTRING text = "\t";
            AppendVarDeclaration(text, local, i, nullptr);
            text += ";\n";
            WriteDecompiled(file, text);
        } else {
            break;
        }
        last = i;
    }
    return last;
}

int zCParserDecompiler::DecompileFunction(zFILE& file, int number)
{
    zCPar_Symbol* function = symtab.GetSymbol(number);
    const int returnType = function->GetOffset();
    SetDecompileFileKey(function->name, true);

    zSTRING returnWord;
    if (returnType == zPAR_TYPE_INSTANCE) {
        // Any class says "returns an instance"; the first one is declared before.
        zCPar_Symbol* classSymbol = decompileFirstClass >= 0 ? symtab.GetSymbol(decompileFirstClass) : nullptr;
        returnWord = classSymbol ? DecompileSpelling(classSymbol->name, false) + " " : zSTRING("DUMMY ");
    } else {
        returnWord = returnType >= zPAR_TYPE_FLOAT && returnType <= zPAR_TYPE_STRING ? kTypeWords[returnType]
                                                                                     : kTypeWords[zPAR_TYPE_VOID];
    }
    zSTRING text = "func " + returnWord + DecompileSpelling(function->name, true) + "(";

    const zSTRING prefix = function->name + ".";
    int last = number;
    std::vector<zCPar_Symbol*> parameters;
    for (int i = 0; i < function->GetElementCount(); ++i) {
        zCPar_Symbol* parameter = symtab.GetSymbol(number + 1 + i);
        if (!parameter || !StartsWith(parameter->name, prefix))
            break;
        last = number + 1 + i;
        parameters.push_back(parameter);
        if (i > 0)
            text += ",";
        AppendVarDeclaration(text, parameter, last, nullptr);
    }
    text += ")\n{\n";
    WriteDecompiled(file, text);
    last = DecompileLocals(file, function, last);

    // The body first takes its arguments into the parameters; the head says that.
    int start = function->GetContent();
    int at = start;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const int type = parameters[i]->GetType();
        const int push = type == zPAR_TYPE_INSTANCE ? zPAR_OP_PUSHINSTANCE : zPAR_OP_PUSHVAR;
        int assign = 9;  // "="
        if (type == zPAR_TYPE_FLOAT)
            assign = zPAR_OP_ASSIGNFLOAT;
        else if (type == zPAR_TYPE_STRING)
            assign = zPAR_OP_ASSIGNSTR;
        else if (type == zPAR_TYPE_FUNC)
            assign = zPAR_OP_ASSIGNFUNC;
        else if (type == zPAR_TYPE_INSTANCE)
            assign = zPAR_OP_ASSIGNINSTANCE;
        if (codeStack.GetByteAt(at) != push || DecompileCodeInt(at + 1) != number + 1 + static_cast<int>(i) ||
            codeStack.GetByteAt(at + 5) != assign) {
            at = start;
            break;
        }
        at += kParameterPopSize;
    }
    start = at;

    ++decompileDepth;
    decompileBodyClass = function;
    decompileFunction = function;
    decompileReturnType = returnType;
    DoStack(file, start, -1);
    --decompileDepth;
    decompileBodyClass = nullptr;
    decompileFunction = nullptr;
    decompileReturnType = 0;
    WriteDecompiled(file, "};\n\n");
    return last;
}

int zCParserDecompiler::DecompilePrototype(zFILE& file, int number)
{
    zCPar_Symbol* prototype = symtab.GetSymbol(number);
    SetDecompileFileKey(prototype->name, false);
    zCPar_Symbol* parent = prototype->GetParent();
    WriteDecompiled(file, "prototype " + DecompileSpelling(prototype->name, false) + "(" +
                              (parent ? DecompileSpelling(parent->name, false) : zSTRING("DUMMY")) + ")\n{\n");
    const int last = DecompileLocals(file, prototype, number);
    ++decompileDepth;
    // Members of the class and locals of the prototype are written by their own names.
    decompileBodyClass = prototype;
    DoStack(file, prototype->GetContent(), -1);
    --decompileDepth;
    decompileBodyClass = nullptr;
    WriteDecompiled(file, "};\n\n");
    return last;
}

int zCParserDecompiler::DecompileInstance(zFILE& file, int number)
{
    zCPar_Symbol* instance = symtab.GetSymbol(number);
    SetDecompileFileKey(instance->name, true);
    decompileSvm = 0;
    zCPar_Symbol* parent = instance->GetParent();

    if (instance->GetElementCount() >= 1) {
        zSTRING text = "var " + DecompileTypeText(instance, nullptr) + DecompileSpelling(instance->name, true);
        if (instance->GetElementCount() > 1)
            text += "[" + ArraySizeText(instance, instance->GetElementCount()) + "]";
        WriteDecompiled(file, text + ";\n");
        return number;
    }

    const zSTRING parentName = parent ? parent->name : zSTRING();
    if (StartsWith(parentName, "NPC_DEFAULT"))
        decompileNpc = 1;
    if (parentName == "C_INFO")
        decompileDialogue = 1;
    zCPar_Symbol* prototype = parent && parent->GetType() == zPAR_TYPE_PROTOTYPE ? parent : nullptr;

    // "instance A, B (P)" gives A and B one body: A's code is B's, or for a prototype
    // the call of the prototype just before B's. Only the last name is constant.
    std::vector<zCPar_Symbol*> names{instance};
    int last = number;
    for (zCPar_Symbol* next = symtab.GetSymbol(last + 1); next; next = symtab.GetSymbol(last + 1)) {
        zCPar_Symbol* previous = names.back();
        const int previousStart = previous->GetContent();
        const bool shared =
            prototype ? next->GetContent() == previousStart + kInstanceCallSize &&
                            codeStack.GetByteAt(previousStart) == zPAR_OP_CALL &&
                            DecompileCodeInt(previousStart + 1) == prototype->GetContent()
                      : next->GetContent() == previousStart;
        if (next->GetType() != zPAR_TYPE_INSTANCE || next->GetElementCount() != 0 || next->GetParent() != parent ||
            next->GetFileIndex() != instance->GetFileIndex() || previous->HasFlag(zPAR_FLAG_CONST) || !shared ||
            IsLiteralName(next->name))
            break;
        names.push_back(next);
        ++last;
    }
    zCPar_Symbol* owner = names.back();

    zSTRING header = "instance ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            header += ", ";
        header += DecompileSpelling(names[i]->name, false);
        if (names[i]->name.find("SVM_") != std::string::npos &&
            UpperCopy(decompileSrcListPath).find("VARNOK") != std::string::npos)
            decompileSvm = 1;
    }
    const zSTRING parentText = "(" + (parent ? DecompileSpelling(parent->name, false) : zSTRING("DUMMY")) + ")";
    header += parentText;
    // A later declaration merged into the instance names it alone.
    const zSTRING mergedHeader = "instance " + DecompileSpelling(owner->name, false) + parentText;

    // A declaration merged into an earlier one first calls the earlier body, whose
    // address no symbol keeps; each body goes back as a declaration of its own.
    std::vector<int> bodies;  // statement starts, newest first
    int at = owner->GetContent();
    for (;;) {
        if (codeStack.GetByteAt(at) == zPAR_OP_CALL) {
            const int target = DecompileCodeInt(at + 1);
            if (prototype && target == prototype->GetContent()) {
                bodies.push_back(at + kInstanceCallSize);
                break;
            }
            if (target >= 0 && target < at && decompileBodyAddresses.count(target) == 0 &&
                static_cast<int>(bodies.size()) < kMaxMergedBodies) {
                bodies.push_back(at + kInstanceCallSize);
                at = target;
                continue;
            }
        }
        bodies.push_back(at);
        break;
    }

    for (std::size_t b = bodies.size(); b-- > 0;) {
        const int start = bodies[b];
        // Read without a body: nothing but the end, and not made constant.
        if (b == 0 && !owner->HasFlag(zPAR_FLAG_CONST) && codeStack.GetByteAt(start) == zPAR_OP_END) {
            WriteDecompiled(file, (bodies.size() == 1 ? header : mergedHeader) + ";\n\n");
            continue;
        }
        const bool firstDeclaration = b == bodies.size() - 1;
        WriteDecompiled(file, (firstDeclaration ? header : mergedHeader) + "\n{\n");
        if (firstDeclaration)
            last = DecompileLocals(file, owner, last);
        ++decompileDepth;
        decompileBodyClass = owner;
        DoStack(file, start, -1);
        --decompileDepth;
        decompileBodyClass = nullptr;
        WriteDecompiled(file, "};\n\n");
    }
    decompileSvm = 0;
    return last;
}
