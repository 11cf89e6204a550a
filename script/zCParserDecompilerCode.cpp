// The decompiler's statement writer: the byte code of one body back into statements.
//
// The code generator writes every operand before the instruction that uses it, the
// right operand of a binary operator before the left one, and a call's arguments in
// order before the call. The walk keeps what it reads as expression trees on a list,
// newest first: an operator takes the two newest trees as its left and right operand,
// a call takes one tree per argument. An instruction that ends a statement writes the
// trees it needs; older ones are statements of their own (calls whose value nobody
// used), written first. Each if is written with its else-if and else parts, which the
// jumps of the code generator lay out as:
//     condition, jump-if-false T, then-block, [jump E,] T: [else part,] E:
// where the then-block ends in the jump to E only when there is an else part.
#include "zCParserDecompiler.h"

#include "ResourceIds.h"
#include "zCParser.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>

#include "JobGlobals.h"
#include "ParNames.h"
#include "ResString.h"
#include "zCCSManager.h"
#include "zCDecompNode.h"
#include "zCParOpcodes.h"
#include "zCScopeExit.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

// Open walks (nested blocks): deeper code is refused as damaged instead of
// exhausting the stack.
constexpr int kMaxWalkDepth = 100;
// Expression trees deeper than the compiler makes (it stops at 500).
constexpr int kMaxExpressionDepth = 600;
// Numbers below are no symbol worth naming.
constexpr int kSymbolThreshold = 1;

// Hints: where an operand stands, which says how a constant is written.
enum {
    kHintInt = 0,
    kHintFloat = 1,
    kHintString = 3,
    kHintFunc = 5,  // with a parameter symbol: a call argument (NOFUNC allowed)
    kHintInstance = 7,
    kHintIntInstance = 9  // an int that carries an instance's number
};

bool IsBinaryOperator(int token)
{
    return (token >= EXP_PLUS && token <= EXP_ABOWE) || (token >= EXP_LOGIC_OR && token <= EXP_ABOWE_EQUAL);
}

bool IsUnaryOperator(int token)
{
    return token >= EXP_OPERAND && token <= EXP_NOT;
}

const char* BinaryText(int token)
{
    static const char* const kTexts[] = {" + ",  " - ",  " * ",  " / ",  " % ",  " | ",  " & ",  " < ",  " > ", "",
                                         "",     " || ", " && ", " << ", " >> ", " <= ", " == ", " != ", " >= "};
    return token >= 0 && token <= EXP_ABOWE_EQUAL ? kTexts[token] : "";
}

const char* UnaryText(int token)
{
    switch (token) {
    case EXP_OPERAND: return "+";
    case EXP_XOR: return "-";
    case EXP_EQUAL_NULL: return "!";
    case EXP_NOT: return "~";
    default: return "";
    }
}

// The hint of a value of the type; kHintInt for an int or none.
int HintForType(int type)
{
    switch (type) {
    case zPAR_TYPE_FLOAT: return kHintFloat;
    case zPAR_TYPE_STRING: return kHintString;
    case zPAR_TYPE_FUNC: return kHintFunc;
    case zPAR_TYPE_INSTANCE: return kHintInstance;
    default: return kHintInt;
    }
}

// Argument types that push one operand; the code generator has no other.
bool TakesArgument(int type)
{
    return type == zPAR_TYPE_FLOAT || type == zPAR_TYPE_INT || type == zPAR_TYPE_STRING ||
           type == zPAR_TYPE_FUNC || type == zPAR_TYPE_INSTANCE;
}

bool IsClassBodyType(const zCPar_Symbol* symbol)
{
    return symbol && (symbol->GetType() == zPAR_TYPE_PROTOTYPE || symbol->GetType() == zPAR_TYPE_INSTANCE);
}

zSTRING Decimal(std::int32_t value)
{
    // A negative value is written as its unsigned 32 bits: the tokenizer reads digits
    // modulo 2^32, while "-" would be an operator of its own.
    return zSTRING(std::to_string(static_cast<std::uint32_t>(value)).c_str());
}

// One index-name row: the constants that name an array's elements, per platform.
struct zTDecompIndexNames {
    const char* key;
    int highest[2];  // -1: the platform has no such array
    const char* names[2][4];  // by index; null past the known ones
};

// The rows of the game's arrays whose elements have constant names. Only these names
// are known here; an element without one is written by its number.
#define GUILD_ROW(member) {"C_GILVALUES." member, {42, 66}, {{"GIL_NONE", "GIL_HUMAN", "GIL_GRD"}, {"GIL_NONE", "GIL_HUMAN", "GIL_MIL"}}}
const zTDecompIndexNames kIndexNames[] = {
    {"C_Npc.attribute", {8, 8}, {{"ATR_HITPOINTS", "ATR_HITPOINTS_MAX", "ATR_MANA"},
                                 {"ATR_HITPOINTS", "ATR_HITPOINTS_MAX", "ATR_MANA"}}},
    {"C_Npc.HitChance", {-1, 5}, {}},
    {"C_Npc.protection", {8, 8}, {}},
    {"C_Npc.damage", {8, 8}, {{"DAM_INDEX_BARRIER"}, {"DAM_INDEX_BARRIER"}}},
    {"C_Npc.aivar", {42, 88}, {{"AIV_WANTEDITEM"}, {"AIV_LastFightAgainstPlayer"}}},
    {"C_Item.damage", {8, 8}, {}},
    {"C_Item.protection", {8, 8}, {}},
    GUILD_ROW("WATER_DEPTH_KNEE"), GUILD_ROW("WATER_DEPTH_CHEST"), GUILD_ROW("JUMPUP_HEIGHT"),
    GUILD_ROW("SWIM_TIME"), GUILD_ROW("DIVE_TIME"), GUILD_ROW("STEP_HEIGHT"), GUILD_ROW("JUMPLOW_HEIGHT"),
    GUILD_ROW("JUMPMID_HEIGHT"), GUILD_ROW("SLIDE_ANGLE"), GUILD_ROW("SLIDE_ANGLE2"), GUILD_ROW("DISABLE_AUTOROLL"),
    GUILD_ROW("SURFACE_ALIGN"), GUILD_ROW("CLIMB_HEADING_ANGLE"), GUILD_ROW("CLIMB_HORIZ_ANGLE"),
    GUILD_ROW("CLIMB_GROUND_ANGLE"), GUILD_ROW("FIGHT_RANGE_BASE"), GUILD_ROW("FIGHT_RANGE_FIST"),
    {"C_GILVALUES.FIGHT_RANGE_G", {-1, 66}, {{}, {"GIL_NONE", "GIL_HUMAN", "GIL_MIL"}}},
    GUILD_ROW("FIGHT_RANGE_1HS"), GUILD_ROW("FIGHT_RANGE_1HA"), GUILD_ROW("FIGHT_RANGE_2HS"),
    GUILD_ROW("FIGHT_RANGE_2HA"), GUILD_ROW("FALLDOWN_HEIGHT"), GUILD_ROW("FALLDOWN_DAMAGE"),
    GUILD_ROW("BLOOD_DISABLED"), GUILD_ROW("BLOOD_MAX_DISTANCE"), GUILD_ROW("BLOOD_AMOUNT"), GUILD_ROW("BLOOD_FLOW"),
    GUILD_ROW("BLOOD_EMITTER"), GUILD_ROW("BLOOD_TEXTURE"), GUILD_ROW("TURN_SPEED"),
    {"PLAYER_TALENT_WISPDETECTOR", {-1, 7}, {}},
    {"PLAYER_TALENT_RUNES", {-1, 100}, {}},
    {"PLAYER_TALENT_FOREIGNLANGUAGE", {-1, 3}, {{}, {"LANGUAGE_1", "LANGUAGE_2", "LANGUAGE_3", "MAX_LANGUAGE"}}},
    {"PLAYER_TALENT_ALCHEMY", {-1, 15}, {}},
    {"PLAYER_TALENT_SMITH", {-1, 13}, {}},
    {"PLAYER_TALENT_TAKEANIMALTROPHY", {-1, 14}, {}},
};
#undef GUILD_ROW
static_assert(sizeof(kIndexNames) / sizeof(kIndexNames[0]) == 44, "one row per named array");

const zTDecompIndexNames* FindIndexNames(const zSTRING& upperKey)
{
    static const std::unordered_map<std::string, const zTDecompIndexNames*> byKey = [] {
        std::unordered_map<std::string, const zTDecompIndexNames*> rows;
        for (const zTDecompIndexNames& row : kIndexNames)
            rows.emplace(UpperCopy(zSTRING(row.key)), &row);
        return rows;
    }();
    const auto found = byKey.find(upperKey);
    return found == byKey.end() ? nullptr : found->second;
}

} // namespace

// --- walk ---

void zCParserDecompiler::ResetDecompileStatements()
{
    if (decompileList)
        zCDecompNode::Free(decompileList->next);
    decompileList = std::shared_ptr<zCDecompNode>(new zCDecompNode(zCDecompNode::kHead, 0), [](zCDecompNode* head) {
        zCDecompNode::Free(head);
    });
    decompileEnds.clear();
    decompileDepth = 0;
    decompileSetInstance = 0;
    decompileComment = 0;
    decompileCommentText.clear();
    // Addresses and names belong to the program of one run.
    decompileBodies.clear();
    decompileBodiesCode = -1;
    decompileExternalSpelling.clear();
    decompileScopedIndexes.clear();
    ++decompileNamesRun;
}

void zCParserDecompiler::PrepareDecompileStatements()
{
    if (!decompileList)
        ResetDecompileStatements();
    const int codeSize = codeStack.GetDynSize();
    if (decompileBodiesCode == codeSize)
        return;
    // Bodies begin at the addresses their symbols hold and at every called address
    // (the earlier body of a merged instance is called and owned by none).
    decompileBodies.clear();
    const int count = symtab.GetNumInList();
    for (int number = kSymbolThreshold; number < count; ++number) {
        if (!HasDecompiledBody(number))
            continue;
        const zCPar_Symbol* symbol = symtab.GetSymbol(number);
        if (symbol->GetContent() >= 0 && symbol->GetContent() < codeSize)
            decompileBodies.emplace_back(symbol->GetContent(), number);
    }
    for (int pos = 0; pos < codeSize;) {
        const int opcode = codeStack.GetByteAt(pos);
        const int size = GetOpcodeOperandSize(opcode);
        if (opcode == zPAR_OP_CALL && pos + 5 <= codeSize) {
            const std::int32_t address = DecompileCodeInt(pos + 1);
            if (address >= 0 && address < codeSize)
                decompileBodies.emplace_back(address, -1);
        }
        pos += 1 + size;
    }
    // At one address the function comes before a prototype, that before an instance,
    // and a lower number first. The rank is looked up once per entry, not per comparison.
    auto rank = [this](const std::pair<int, int>& entry) {
        if (entry.second < 0)
            return 3;
        const int type = symtab.GetSymbol(entry.second)->GetType();
        return type == zPAR_TYPE_FUNC ? 0 : type == zPAR_TYPE_PROTOTYPE ? 1 : 2;
    };
    struct Ranked {
        int address;
        int rank;
        int number;
    };
    std::vector<Ranked> ranked;
    ranked.reserve(decompileBodies.size());
    for (const std::pair<int, int>& entry : decompileBodies)
        ranked.push_back({entry.first, rank(entry), entry.second});
    std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.address != b.address)
            return a.address < b.address;
        return a.rank != b.rank ? a.rank < b.rank : a.number < b.number;
    });
    for (std::size_t i = 0; i < ranked.size(); ++i)
        decompileBodies[i] = {ranked[i].address, ranked[i].number};
    decompileBodiesCode = codeSize;
}

int zCParserDecompiler::DecompileAddressOwner(int address) const
{
    const auto found = std::lower_bound(decompileBodies.begin(), decompileBodies.end(), address,
                                        [](const std::pair<int, int>& entry, int a) { return entry.first < a; });
    return found != decompileBodies.end() && found->first == address ? found->second : -1;
}

int zCParserDecompiler::DecompileBodyEnd(int position)
{
    const auto next = std::upper_bound(decompileBodies.begin(), decompileBodies.end(), position,
                                       [](int p, const std::pair<int, int>& entry) { return p < entry.first; });
    return next == decompileBodies.end() ? codeStack.GetDynSize() : next->first;
}

int zCParserDecompiler::FunctionForAddress(int address, bool atBodyStart)
{
    const int number = DecompileAddressOwner(address);
    if (number >= 0)
        return number;
    // A merged instance's body begins with the call of its earlier body, which the
    // declaration makes again.
    if (atBodyStart && DecompileScopeClass())
        return -1;
    DecompileError(FormatResString(IDS_NO_FUNCTION_AT, address));
    return -1;
}

void zCParserDecompiler::DoStack(zFILE& file, int start, int end)
{
    PrepareDecompileStatements();
    if (start != -1)
        codeStack.SetPopPos(start);
    const int codeSize = codeStack.GetDynSize();
    const int first = codeStack.GetPopPos();
    if (first > codeSize) {
        DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
        return;
    }
    // Without an end the walk covers the body: a return before its last instruction is
    // a statement.
    const bool wholeBody = end == -1;
    int walkEnd = wholeBody ? DecompileBodyEnd(first) : end;
    if (walkEnd > codeSize) {
        DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
        walkEnd = codeSize;
    }
    if (static_cast<int>(decompileEnds.size()) >= kMaxWalkDepth) {
        DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
        codeStack.SetPopPos(std::max(first, walkEnd));
        return;
    }
    // Nothing of another body's statements reaches this one.
    if (wholeBody)
        decompileSetInstance = 0;
    decompileEnds.push_back(walkEnd);
    const zCScopeExit endWalk([this] { decompileEnds.pop_back(); });

    while (codeStack.GetPopPos() < walkEnd) {
        const int at = codeStack.GetPopPos();
        const int opcode = codeStack.PopByte();
        if (!codeStack.CanRead(GetOpcodeOperandSize(opcode))) {
            // An operand past the code: the file is cut short.
            DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
            codeStack.SetPopPos(std::max(walkEnd, at + 1));
            break;
        }
        if (PushDecompileOperand(opcode, at == first))
            continue;
        switch (opcode) {
        case EXP_LET: WriteAssignment(file, zPAR_TYPE_VOID, " = "); break;
        case EXP_PLUS_EQUAL: WriteAssignment(file, zPAR_TYPE_VOID, " += "); break;
        case EXP_MINUS_EQUAL: WriteAssignment(file, zPAR_TYPE_VOID, " -= "); break;
        case EXP_MULT_EQUAL: WriteAssignment(file, zPAR_TYPE_VOID, " *= "); break;
        case EXP_DIV_EQUAL: WriteAssignment(file, zPAR_TYPE_VOID, " /= "); break;
        case zPAR_OP_ASSIGNSTR: WriteAssignment(file, zPAR_TYPE_STRING, " = "); break;
        case zPAR_OP_ASSIGNFUNC: WriteAssignment(file, zPAR_TYPE_FUNC, " = "); break;
        case zPAR_OP_ASSIGNFLOAT: WriteAssignment(file, zPAR_TYPE_FLOAT, " = "); break;
        case zPAR_OP_ASSIGNINSTANCE: WriteAssignment(file, zPAR_TYPE_INSTANCE, " = "); break;
        case zPAR_OP_JUMPF: WriteIf(file, codeStack.PopInt()); break;
        case zPAR_OP_JUMP: WriteElse(file, codeStack.PopInt()); break;
        case zPAR_OP_END: {
            const bool bodyEnd = wholeBody && codeStack.GetPopPos() >= walkEnd;
            WriteReturn(file, bodyEnd);
            if (bodyEnd)
                return;
            break;
        }
        case zPAR_OP_71:
            codeStack.PopInt();
            DecompileError(FormatResString(IDS_UNHANDLED_TYPE, static_cast<int>(zPAR_OP_71)));
            return;
        default: DecompileError(FormatResString(IDS_UNKNOWN_INSTRUCTION, opcode)); break;
        }
    }
    if (decompileList->next)
        FlushExpressions(file);
}

bool zCParserDecompiler::PushDecompileOperand(int opcode, bool atBodyStart)
{
    zCDecompNode* head = decompileList.get();
    if (IsBinaryOperator(opcode)) {
        // The left operand was pushed last.
        zCDecompNode* left = PopDecompileRoot();
        zCDecompNode* right = PopDecompileRoot();
        auto* node = new zCDecompNode(opcode, 0);
        if (right)
            node->PushChild(right);
        if (left)
            node->PushChild(left);
        head->Push(node);
        if (!right)
            DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
        return true;
    }
    if (IsUnaryOperator(opcode)) {
        zCDecompNode* operand = PopDecompileRoot();
        auto* node = new zCDecompNode(opcode, 0);
        if (operand)
            node->PushChild(operand);
        head->Push(node);
        if (!operand)
            DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
        return true;
    }
    switch (opcode) {
    case zPAR_OP_CALL: {
        const int number = FunctionForAddress(codeStack.PopInt(), atBodyStart);
        const zCPar_Symbol* function = symtab.GetSymbol(number);
        // The call of a prototype's (or a shared instance's) body is made again by the
        // instance's declaration.
        if (function && function->GetType() == zPAR_TYPE_FUNC)
            PushDecompileCall(number);
        return true;
    }
    case zPAR_OP_CALLEXTERN: PushDecompileCall(codeStack.PopInt()); return true;
    case zPAR_OP_PUSHINT: head->Push(new zCDecompNode(zPAR_OP_PUSHINT, codeStack.PopInt())); return true;
    case zPAR_OP_PUSHVAR:
    case zPAR_OP_PUSH_ARRAYVAR: {
        const std::int32_t number = codeStack.PopInt();
        auto* node = new zCDecompNode(opcode, number);
        if (opcode == zPAR_OP_PUSH_ARRAYVAR)
            node->index = codeStack.PopByte();
        node->symbol = symtab.GetSymbol(number);
        node->instance = decompileSetInstance;
        decompileSetInstance = 0;
        head->Push(node);
        return true;
    }
    case zPAR_OP_PUSHINSTANCE: {
        auto* node = new zCDecompNode(zPAR_OP_PUSHINSTANCE, codeStack.PopInt());
        node->symbol = node->value != 0 ? symtab.GetSymbol(node->value) : nullptr;
        head->Push(node);
        return true;
    }
    case zPAR_OP_SETINSTANCE: decompileSetInstance = codeStack.PopInt(); return true;
    default: return false;
    }
}

void zCParserDecompiler::PushDecompileCall(int functionNumber)
{
    auto* call = new zCDecompNode(zPAR_OP_CALLEXTERN, functionNumber);
    call->symbol = symtab.GetSymbol(functionNumber);
    const zCPar_Symbol* function = call->symbol;
    bool missing = false;
    if (function && function->GetType() == zPAR_TYPE_FUNC) {
        // The last argument was pushed last.
        for (int i = function->GetElementCount() - 1; i >= 0 && !missing; --i) {
            const zCPar_Symbol* parameter = symtab.GetSymbol(functionNumber + 1 + i);
            if (!TakesArgument(parameter ? parameter->GetType() : zPAR_TYPE_INT))
                continue;
            zCDecompNode* argument = PopDecompileRoot();
            if (argument)
                call->PushChild(argument);
            else
                missing = true;
        }
    } else {
        missing = true;
    }
    decompileList->Push(call);
    if (missing)
        DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
}

zCDecompNode* zCParserDecompiler::PopDecompileRoot()
{
    zCDecompNode* newest = decompileList->next;
    if (newest)
        newest->Unlink();
    return newest;
}

void zCParserDecompiler::ReadDecompileOperands(int end)
{
    while (codeStack.GetPopPos() < end) {
        const int opcode = codeStack.PopByte();
        if (!PushDecompileOperand(opcode, false))
            DecompileError(FormatResString(IDS_UNKNOWN_INSTRUCTION, opcode));
    }
}

// --- statements ---

bool zCParserDecompiler::PackExpressions()
{
    if (decompileList->next)
        return true;
    const auto restoreMode = zRestoreOnExit(parser.errorMode);
    parser.errorMode = zPAR_ERROR_COUNTED;
    DecompileError(LoadResString(IDS_PACK_EMPTY));
    return false;
}

void zCParserDecompiler::FlushExpressions(zFILE& file, int keep)
{
    std::vector<zCDecompNode*> older;
    zCDecompNode* node = decompileList->next;
    for (int i = 0; node && i < keep; ++i)
        node = node->next;
    for (; node; node = node->next)
        older.push_back(node);
    for (auto it = older.rbegin(); it != older.rend(); ++it) {
        zCDecompNode* root = *it;
        root->Unlink();
        zCDecompNodeGuard guard(root);
        const zSTRING text = PopVarDate(root, kHintInt, nullptr);
        // Only a call stands as a statement by itself.
        if (root->token != zPAR_OP_CALLEXTERN)
            DecompileDamaged(text);
        WriteStatement(file, text);
    }
}

void zCParserDecompiler::WriteAssignment(zFILE& file, int type, const char* op)
{
    if (!PackExpressions())
        return;
    FlushExpressions(file, 2);
    zCDecompNodeGuard target(PopDecompileRoot());
    zCDecompNodeGuard value(PopDecompileRoot());
    // Both sides are made in buffers kept from statement to statement.
    zSTRING& left = decompileLeftText;
    left.clear();
    AppendVarName(left, target.Get());
    zCPar_Symbol* targetSymbol = target.Get()->symbol;
    int hint = HintForType(type);
    if (hint == kHintInt && targetSymbol && HoldsDecompileInstance(targetSymbol, target.Get()->value))
        hint = kHintIntInstance;
    zSTRING& right = decompileRightText;
    right.clear();
    if (value.Get()) {
        AppendExpression(right, value.Get(), hint, nullptr, 0, false);
    } else {
        right = LoadResString(IDS_UNKNOWN_TEXT);
        DecompileDamaged(right);
    }

    // A dialogue is placed by the NPC it belongs to.
    const zCPar_Symbol* bodyClass = DecompileScopeClass();
    if (decompileDialogue && bodyClass && bodyClass->name == "C_INFO" && UpperCopy(left) == "NPC") {
        decompileFileKey = zSTRING("DIA_") + right;
        decompileFileKey.Lower();
        decompileWeakKey = 1;
    }
    if (decompileSvm)
        decompileCommentText = g_csManager->FindOutputUnit(right.PickWord(1, "\"", "\""));
    WriteAssignStatement(file, left, right, op);
}

void zCParserDecompiler::WriteReturn(zFILE& file, bool bodyEnd)
{
    const zCDecompNode* newest = decompileList->next;
    bool value = decompileReturnType != zPAR_TYPE_VOID && newest;
    if (value && newest->token == zPAR_OP_CALLEXTERN) {
        // A call whose value is not used is a statement; at the body's end that is
        // what the code generator's closing return follows.
        const zCPar_Symbol* function = newest->symbol;
        value = !bodyEnd && function && function->GetOffset() != zPAR_TYPE_VOID;
    }
    if (!value) {
        FlushExpressions(file);
        if (!bodyEnd)
            WriteStatement(file, "return");
        return;
    }
    FlushExpressions(file, 1);
    zCDecompNodeGuard root(PopDecompileRoot());
    int hint = kHintInt;
    switch (decompileReturnType) {
    case zPAR_TYPE_FLOAT: hint = kHintFloat; break;
    case zPAR_TYPE_STRING: hint = kHintString; break;
    case zPAR_TYPE_INSTANCE: hint = kHintIntInstance; break;
    default: break;
    }
    zSTRING& text = decompileRightText;
    text.clear();
    AppendExpression(text, root.Get(), hint, nullptr, 0, false);
    WriteLineParts(file, {"return ", text}, true);
}

bool zCParserDecompiler::FindElseJump(int blockStart, int target, int walkEnd, int& elseEnd) const
{
    const int jumpAt = target - 5;
    if (jumpAt < blockStart || codeStack.GetByteAt(jumpAt) != zPAR_OP_JUMP)
        return false;
    // The jump must be an instruction of the block itself: no jump before it leads
    // past it (as the jumps of an if inside the block that it would then close do).
    int pos = blockStart;
    while (pos < jumpAt) {
        const int opcode = codeStack.GetByteAt(pos);
        if ((opcode == zPAR_OP_JUMP || opcode == zPAR_OP_JUMPF) && DecompileCodeInt(pos + 1) > jumpAt)
            return false;
        pos += 1 + GetOpcodeOperandSize(opcode);
    }
    if (pos != jumpAt)
        return false;
    const std::int32_t to = DecompileCodeInt(jumpAt + 1);
    if (to < target || to > walkEnd)
        return false;
    elseEnd = to;
    return true;
}

int zCParserDecompiler::ElseHoldsOwnIf(int from, int end) const
{
    // Only operands up to the conditional jump, leaving exactly one expression: the
    // condition, so that nothing stands before the if.
    int operands = 0;
    const int codeSize = codeStack.GetDynSize();
    auto takesArguments = [this](int number, int& count) {
        const zCPar_Symbol* function = symtab.GetSymbol(number);
        if (!function || function->GetType() != zPAR_TYPE_FUNC)
            return false;
        for (int i = 0; i < function->GetElementCount(); ++i) {
            const zCPar_Symbol* parameter = symtab.GetSymbol(number + 1 + i);
            if (TakesArgument(parameter ? parameter->GetType() : zPAR_TYPE_INT))
                ++count;
        }
        return true;
    };
    for (int pos = from; pos < end;) {
        const int opcode = codeStack.GetByteAt(pos);
        const int size = GetOpcodeOperandSize(opcode);
        if (pos + 1 + size > codeSize)
            return -1;
        if (IsBinaryOperator(opcode)) {
            if (operands < 2)
                return -1;
            --operands;
        } else if (IsUnaryOperator(opcode)) {
            if (operands < 1)
                return -1;
        } else {
            switch (opcode) {
            case zPAR_OP_PUSHINT:
            case zPAR_OP_PUSHVAR:
            case zPAR_OP_PUSHINSTANCE:
            case zPAR_OP_PUSH_ARRAYVAR: ++operands; break;
            case zPAR_OP_SETINSTANCE: break;
            case zPAR_OP_CALL:
            case zPAR_OP_CALLEXTERN: {
                const int operand = DecompileCodeInt(pos + 1);
                const int number = opcode == zPAR_OP_CALL ? DecompileAddressOwner(operand) : operand;
                int arguments = 0;
                if (!takesArguments(number, arguments) || arguments > operands)
                    return -1;
                operands -= arguments - 1;
                break;
            }
            case zPAR_OP_JUMPF: {
                if (operands != 1)
                    return -1;
                const int target = DecompileCodeInt(pos + 1);
                int elseEnd = -1;
                if (target == end || (FindElseJump(pos + 5, target, end, elseEnd) && elseEnd == end))
                    return pos;
                return -1;
            }
            default: return -1;
            }
        }
        pos += 1 + size;
    }
    return -1;
}

void zCParserDecompiler::WriteIf(zFILE& file, int target)
{
    if (!PackExpressions())
        return;
    FlushExpressions(file, 1);
    const int walkEnd = decompileEnds.empty() ? codeStack.GetDynSize() : decompileEnds.back();
    zSTRING prefix;
    for (;;) {
        const int blockStart = codeStack.GetPopPos();
        if (target < blockStart || target > walkEnd) {
            DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
            target = std::min(std::max(target, blockStart), walkEnd);
        }
        int elseEnd = -1;
        const bool hasElse = FindElseJump(blockStart, target, walkEnd, elseEnd);
        {
            zCDecompNodeGuard condition(PopDecompileRoot());
            zSTRING& text = decompileRightText;
            text.clear();
            AppendExpression(text, condition.Get(), kHintInt, nullptr, 0, false);
            WriteLineParts(file, {prefix, g_insertSpace ? "if (" : "if(", text, ")"});
        }
        WriteLine(file, "{");
        ++decompileDepth;
        DoStack(file, -1, hasElse ? target - 5 : target);
        --decompileDepth;
        if (!hasElse) {
            WriteLine(file, "};");
            return;
        }
        WriteLine(file, "}");
        // Past the jump over the else part.
        codeStack.SetPopPos(target);
        const int ifAt = ElseHoldsOwnIf(target, elseEnd);
        if (ifAt < 0) {
            WriteLine(file, "else");
            WriteLine(file, "{");
            ++decompileDepth;
            DoStack(file, -1, elseEnd);
            --decompileDepth;
            WriteLine(file, "};");
            return;
        }
        // The else part is one if: "else if", at this if's level.
        ReadDecompileOperands(ifAt);
        codeStack.PopByte();
        target = codeStack.PopInt();
        prefix = "else ";
    }
}

void zCParserDecompiler::WriteElse(zFILE& file, int target)
{
    // A jump the if writer did not take as its own: the code of another compiler, or
    // a damaged file. Its part is written as an else block where it stands.
    DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
    const int walkEnd = decompileEnds.empty() ? codeStack.GetDynSize() : decompileEnds.back();
    if (target < codeStack.GetPopPos() || target > walkEnd)
        return;
    FlushExpressions(file);
    WriteLine(file, "else");
    WriteLine(file, "{");
    ++decompileDepth;
    DoStack(file, -1, target);
    --decompileDepth;
    WriteLine(file, "};");
}

// --- output ---

void zCParserDecompiler::WriteLine(zFILE& file, const zSTRING& text)
{
    WriteLineParts(file, {text});
}

void zCParserDecompiler::WriteLineParts(zFILE& file, std::initializer_list<std::string_view> parts, bool statement)
{
    // One buffer kept across lines: this runs for every line written.
    zSTRING& line = decompileLineBuffer;
    line.assign(static_cast<std::size_t>(std::max(decompileDepth, 0)), '\t');
    for (const std::string_view part : parts)
        line.append(part.data(), part.size());
    if (statement) {
        if (decompileComment || decompileSvm) {
            line += ";\t//";
            line += decompileCommentText;
            decompileCommentText.clear();
            decompileComment = 0;
        } else {
            line += ';';
        }
    }
    line += '\n';
    file.Write(line);
    ++decompileLineCount;
}

void zCParserDecompiler::WriteStatement(zFILE& file, const zSTRING& text)
{
    WriteLineParts(file, {text}, true);
}

void zCParserDecompiler::WriteAssignStatement(zFILE& file, const zSTRING& left, const zSTRING& right, const char* op)
{
    WriteLineParts(file, {left, op, right}, true);
}

// --- expressions ---

zSTRING zCParserDecompiler::PopVarDate(zCDecompNode* node, int hint, zCPar_Symbol* symbol)
{
    zSTRING text;
    AppendExpression(text, node, hint, symbol, 0, false);
    return text;
}

void zCParserDecompiler::AppendVarName(zSTRING& out, zCDecompNode* node)
{
    switch (node ? node->token : 0) {
    case zPAR_OP_PUSHVAR:
    case zPAR_OP_PUSHINSTANCE: AppendVarText(out, node, false, false); return;
    case zPAR_OP_PUSH_ARRAYVAR: AppendVarText(out, node, true, false); return;
    default:
        DecompileError(FormatResString(IDS_UNKNOWN_NAME, node ? static_cast<int>(node->token) : -1));
        out += LoadResString(IDS_UNKNOWN_TEXT);
        return;
    }
}

void zCParserDecompiler::AppendExpression(zSTRING& out, zCDecompNode* node, int hint, zCPar_Symbol* symbol, int depth,
                                bool inArguments)
{
    if (!node) {
        out += LoadResString(IDS_UNKNOWN_TEXT);
        return;
    }
    if (depth > kMaxExpressionDepth) {
        if (depth == kMaxExpressionDepth + 1)
            DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
        return;
    }
    const int token = node->token;
    if (IsBinaryOperator(token)) {
        zCDecompNode* left = node->firstChild;
        zCDecompNode* right = left ? left->next : nullptr;
        // Instances compare for identity: a number beside one is an instance's number.
        int leftHint = kHintInt;
        int rightHint = kHintInt;
        if (token == EXP_EQUAL || token == EXP_NOT_EQUAL) {
            if (IsDecompileInstanceOperand(right))
                leftHint = kHintIntInstance;
            if (IsDecompileInstanceOperand(left))
                rightHint = kHintIntInstance;
            if (IsDecompileSelfNumber(left) || IsDecompileSelfNumber(right)) {
                if (left && right && left->token == zPAR_OP_PUSHINT && right->token == zPAR_OP_PUSHINT &&
                    !DecompileSymbolName(left->value, true).empty() && !DecompileSymbolName(right->value, true).empty())
                    leftHint = rightHint = kHintIntInstance;
            }
        }
        // Operators are left-associative: only a run of one operator to the left goes
        // without brackets.
        const bool leftBare = !left || !IsBinaryOperator(left->token) || left->token == token;
        const bool rightBare = !right || !IsBinaryOperator(right->token);
        if (!leftBare)
            out += "(";
        AppendExpression(out, left, leftHint, nullptr, depth + 1, inArguments);
        if (!leftBare)
            out += ")";
        out += BinaryText(token);
        if (!rightBare)
            out += "(";
        AppendExpression(out, right, rightHint, nullptr, depth + 1, inArguments);
        if (!rightBare)
            out += ")";
        return;
    }
    if (IsUnaryOperator(token)) {
        zCDecompNode* operand = node->firstChild;
        // A bracket keeps the operator on the whole operand and two signs apart.
        const bool bracket = operand && (IsBinaryOperator(operand->token) || IsUnaryOperator(operand->token));
        out += UnaryText(token);
        if (bracket)
            out += "(";
        AppendExpression(out, operand, kHintInt, nullptr, depth + 1, inArguments);
        if (bracket)
            out += ")";
        return;
    }
    switch (token) {
    case zPAR_OP_CALLEXTERN: AppendCallText(out, node, depth); return;
    case zPAR_OP_PUSHINT: out += ConstText(node, hint, symbol); return;
    case zPAR_OP_PUSHVAR: AppendVarText(out, node, false, inArguments); return;
    case zPAR_OP_PUSH_ARRAYVAR: AppendVarText(out, node, true, inArguments); return;
    case zPAR_OP_PUSHINSTANCE:
        if (node->value == 0)
            out += "NULL";
        else if (node->symbol && node->symbol == DecompileScopeOwner() &&
                 node->symbol->GetType() == zPAR_TYPE_INSTANCE)
            // The instance whose body is written: the compiler reads "self" as it.
            out += "self";
        else
            AppendVarText(out, node, false, inArguments);
        return;
    default: DecompileError(FormatResString(IDS_UNKNOWN_EXP, token)); return;
    }
}

bool zCParserDecompiler::IsDecompileInstanceOperand(const zCDecompNode* node)
{
    if (!node || !node->symbol)
        return false;
    switch (node->token) {
    case zPAR_OP_PUSHVAR:
    case zPAR_OP_PUSH_ARRAYVAR: return HoldsDecompileInstance(node->symbol, node->value);
    case zPAR_OP_CALLEXTERN:
        return node->symbol->GetOffset() == zPAR_TYPE_INSTANCE ||
               (node->symbol->HasFlag(zPAR_FLAG_EXTERNAL) && parser.IsInstanceParameter(node->symbol->name, -1));
    default: return false;
    }
}

bool zCParserDecompiler::IsDecompileSelfNumber(const zCDecompNode* node) const
{
    // The instances the scripts compare by name.
    const zCPar_Symbol* named =
        node && node->token == zPAR_OP_PUSHINT && node->value >= kSymbolThreshold ? symtab.GetSymbol(node->value) : nullptr;
    return named && named->GetType() == zPAR_TYPE_INSTANCE &&
           (named->name == "SELF" || named->name == "OTHER" || named->name == "HERO" || named->name == "VICTIM");
}

void zCParserDecompiler::AppendCallText(zSTRING& out, zCDecompNode* node, int depth)
{
    const zCPar_Symbol* function = node->symbol;
    const std::size_t start = out.size();
    if (!function)
        out += LoadResString(IDS_UNKNOWN_TEXT);
    else
        out += DecompileName(zTDecompName::kCall, function, node->value);
    out += g_insertSpace ? " (" : "(";
    if (node->firstChild && function) {
        // The arguments belong to the last parameters that take one (all of them but
        // in a damaged file).
        std::vector<std::pair<zCPar_Symbol*, int>> parameters;
        const int number = node->value;
        for (int i = 0; i < function->GetElementCount(); ++i) {
            zCPar_Symbol* parameter = symtab.GetSymbol(number + 1 + i);
            if (TakesArgument(parameter ? parameter->GetType() : zPAR_TYPE_INT))
                parameters.emplace_back(parameter, i);
        }
        std::size_t at = parameters.size() - std::min<std::size_t>(parameters.size(), node->CountChildren());
        bool firstArgument = true;
        for (zCDecompNode* argument = node->firstChild; argument; argument = argument->next, ++at) {
            if (!firstArgument)
                out += g_insertSpace ? ", " : ",";
            firstArgument = false;
            zCPar_Symbol* parameter = at < parameters.size() ? parameters[at].first : nullptr;
            int hint = HintForType(parameter ? parameter->GetType() : zPAR_TYPE_INT);
            if (hint == kHintInt && at < parameters.size() &&
                parser.IsInstanceParameter(function->name, parameters[at].second))
                hint = kHintIntInstance;
            AppendExpression(out, argument, hint, parameter, depth + 1, true);
        }
    }
    out += ")";
    if (function && function->name == "AI_OUTPUT") {
        // The spoken line goes after the statement as a comment.
        decompileComment = 1;
        const zSTRING text = out.substr(start);
        decompileCommentText = g_csManager->FindOutputUnit(text.PickWord(decompileSvm ? 1 : 2, "\"", "\""));
    }
}

zSTRING zCParserDecompiler::ConstText(zCDecompNode* node, int hint, zCPar_Symbol* symbol)
{
    const std::int32_t value = node->value;
    switch (hint) {
    case kHintFloat: return DecompileFloatText(node->GetValueAsFloat());
    case kHintFunc: {
        // A function argument may be none at all.
        if (symbol && value == -1)
            return "NOFUNC";
        const zSTRING name = DecompileSymbolName(value, false);
        if (!name.empty())
            return name;
        DecompileDamaged(Decimal(value));
        return Decimal(value);
    }
    case kHintIntInstance: {
        const zSTRING name = DecompileSymbolName(value, true);
        if (!name.empty())
            return name;
        break;
    }
    default: break;
    }
    if (value >= kSymbolThreshold && g_errorReporter.GetFilterLevel() >= 9 && value != 999 && value != 1000 &&
        value != 9999)
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_PROBABLY_INT, value),
                               g_decompileFileName.empty() ? nullptr : g_decompileFileName.c_str(),
                               g_decompileFileName.empty() ? -1 : decompileLineCount);
    return Decimal(value);
}

zSTRING zCParserDecompiler::DecompileSymbolName(int number, bool instanceOnly)
{
    const zCPar_Symbol* named = number >= kSymbolThreshold ? symtab.GetSymbol(number) : nullptr;
    if (!named)
        return zSTRING();
    // Where an int is asked for only an instance converts; a function's value is the
    // name of a function, prototype or instance.
    const int type = named->GetType();
    const bool fits = type == zPAR_TYPE_INSTANCE ||
                      (!instanceOnly && (type == zPAR_TYPE_FUNC || type == zPAR_TYPE_PROTOTYPE));
    if (!fits)
        return zSTRING();
    // The own name, as the compiler would look it up in the body.
    const zSTRING own = DecompileOwnName(named->name);
    if (DecompileScopedIndex(own) != number)
        return zSTRING();
    return DecompileSpelling(own, true);
}

zCPar_Symbol* zCParserDecompiler::DecompileScopeOwner() const
{
    // A prototype's or instance's body is the scope of its locals as a function's is.
    if (decompileFunction)
        return decompileFunction;
    return IsClassBodyType(decompileBodyClass) ? decompileBodyClass : nullptr;
}

zCPar_Symbol* zCParserDecompiler::DecompileScopeClass() const
{
    zCPar_Symbol* scope = decompileBodyClass;
    for (int step = 0; scope && scope->GetType() != zPAR_TYPE_CLASS && step < 2; ++step)
        scope = scope->GetParent();
    return scope && scope->GetType() == zPAR_TYPE_CLASS ? scope : nullptr;
}

int zCParserDecompiler::DecompileScopedIndex(const zSTRING& upperName)
{
    const zCPar_Symbol* scopeClass = DecompileScopeClass();
    const zCPar_Symbol* owner = DecompileScopeOwner();
    // Remembered per scope, for speed (see decompileScopedIndexes).
    if (scopeClass != decompileIndexClass || owner != decompileIndexOwner ||
        symtab.GetNumInList() != decompileIndexSymbols) {
        decompileScopedIndexes.clear();
        decompileIndexClass = scopeClass;
        decompileIndexOwner = owner;
        decompileIndexSymbols = symtab.GetNumInList();
    }
    const auto known = decompileScopedIndexes.find(upperName);
    if (known != decompileScopedIndexes.end())
        return known->second;
    int index = -1;
    if (scopeClass)
        index = symtab.IndexOf(scopeClass->name, upperName);
    if (index < 0 && owner)
        index = symtab.IndexOf(owner->name, upperName);
    if (index < 0)
        index = symtab.IndexOf(upperName);
    decompileScopedIndexes.emplace(upperName, index);
    return index;
}

zCParserDecompiler::zTDecompName& zCParserDecompiler::DecompileNameOf(int number)
{
    const std::size_t count = static_cast<std::size_t>(std::max(symtab.GetNumInList(), 0));
    if (count != decompileNamesCount) {
        // The numbers may stand for other symbols now.
        ++decompileNamesRun;
        decompileNamesCount = count;
        if (decompileNames.size() < count)
            decompileNames.resize(count);
    }
    zTDecompName& entry = decompileNames[static_cast<std::size_t>(number)];
    if (entry.run != decompileNamesRun) {
        std::fill(std::begin(entry.known), std::end(entry.known), false);
        entry.holdsInstance = -1;
        entry.run = decompileNamesRun;
    }
    return entry;
}

zSTRING zCParserDecompiler::MakeDecompileName(zTDecompName::Kind kind, const zCPar_Symbol* symbol)
{
    switch (kind) {
    case zTDecompName::kWhole: return DecompileSpelling(symbol->name, false);
    case zTDecompName::kOwn: return DecompileSpelling(DecompileOwnName(symbol->name), true);
    default: {
        if (decompileExternalSpelling.empty()) {
            for (int i = 0; i < parser.externalNames.GetNum(); ++i)
                decompileExternalSpelling.emplace(UpperCopy(*parser.externalNames[i]), *parser.externalNames[i]);
        }
        const auto external = decompileExternalSpelling.find(symbol->name);
        return external != decompileExternalSpelling.end() ? external->second : DecompileSpelling(symbol->name, true);
    }
    }
}

const zSTRING& zCParserDecompiler::DecompileName(zTDecompName::Kind kind, const zCPar_Symbol* symbol, int number)
{
    // Asked for by a number that is not its own: made anew.
    if (number < 0 || number >= symtab.GetNumInList() || symtab.GetSymbol(number) != symbol) {
        decompileNameScratch = MakeDecompileName(kind, symbol);
        return decompileNameScratch;
    }
    zTDecompName& entry = DecompileNameOf(number);
    if (!entry.known[kind]) {
        entry.texts[kind] = MakeDecompileName(kind, symbol);
        entry.known[kind] = true;
    }
    return entry.texts[kind];
}

bool zCParserDecompiler::HoldsDecompileInstance(const zCPar_Symbol* symbol, int number)
{
    if (number < 0 || number >= symtab.GetNumInList() || symtab.GetSymbol(number) != symbol)
        return zCParser::IsInstanceMember(symbol->name) || parser.IsRedefinedVariable(symbol->name);
    zTDecompName& entry = DecompileNameOf(number);
    if (entry.holdsInstance < 0)
        entry.holdsInstance = zCParser::IsInstanceMember(symbol->name) || parser.IsRedefinedVariable(symbol->name);
    return entry.holdsInstance != 0;
}

void zCParserDecompiler::AppendScopedName(zSTRING& out, zCPar_Symbol* symbol, int number)
{
    const zSTRING& name = symbol->name;
    const auto dot = name.find('.');
    if (dot == std::string::npos) {
        out += DecompileName(zTDecompName::kWhole, symbol, number);
        return;
    }
    // A member, parameter or local of the body: its own name finds it again. It
    // surely does when it belongs to the scope tried first and every name is listed
    // once; most do, and the lookup is spared.
    const zCPar_Symbol* first = DecompileScopeClass() ? DecompileScopeClass() : DecompileScopeOwner();
    const bool foundFirst = first && first->name.size() == dot && name.compare(0, dot, first->name) == 0 &&
                            symtab.EveryNameListedOnce() && symtab.GetSymbol(number) == symbol;
    if (foundFirst || DecompileScopedIndex(name.substr(dot + 1)) == number) {
        out += DecompileName(zTDecompName::kOwn, symbol, number);
        return;
    }
    out += DecompileSpelling(name.substr(0, dot), false) + "." + DecompileSpelling(name.substr(dot + 1), false);
}

void zCParserDecompiler::AppendVarText(zSTRING& out, zCDecompNode* node, bool withIndex, bool inArguments)
{
    zCPar_Symbol* symbol = node->symbol;
    if (!symbol) {
        DecompileDamaged(LoadResString(IDS_UNKNOWN_TEXT));
        out += LoadResString(IDS_UNKNOWN_TEXT);
        return;
    }
    if (IsLiteralName(symbol->name)) {
        // An unnamed string constant: the literal.
        zSTRING text;
        symbol->GetValue(text, 0);
        out += '"';
        out += text;
        out += '"';
        return;
    }
    zCPar_Symbol* instance = node->instance ? symtab.GetSymbol(node->instance) : nullptr;
    if (instance) {
        out += DecompileName(zTDecompName::kOwn, instance, node->instance);
        out += '.';
        out += DecompileName(zTDecompName::kOwn, symbol, node->value);
    } else {
        AppendScopedName(out, symbol, node->value);
    }
    if (node->token == zPAR_OP_PUSHINSTANCE)
        return;
    if (withIndex) {
        out += '[';
        out += ArrayIndexText(symbol, node->index);
        out += ']';
    } else if (symbol->GetElementCount() > 1 && !inArguments) {
        // The code pushes element 0 as the variable itself.
        out += '[';
        out += ArrayIndexText(symbol, 0);
        out += ']';
    }
}

zSTRING zCParserDecompiler::ArraySizeText(zCPar_Symbol* symbol, int count)
{
    return ArrayIndexText(symbol, count);
}

zSTRING zCParserDecompiler::ArrayIndexText(zCPar_Symbol* symbol, int n)
{
    const zCPar_Symbol* keySymbol = symbol;
    // An instance's or prototype's elements are its class's.
    for (int step = 0; keySymbol && IsClassBodyType(keySymbol) && step < 2; ++step)
        keySymbol = keySymbol->GetParent();
    const zTDecompIndexNames* row = keySymbol ? FindIndexNames(keySymbol->name) : nullptr;
    const int platform = g_platform == zPLATFORM_FIRST_GAME ? zPLATFORM_FIRST_GAME : zPLATFORM_SECOND_GAME;
    if (row && n >= 0 && n <= row->highest[platform] && n < 4 && row->names[platform][n]) {
        const zSTRING name(row->names[platform][n]);
        const zSTRING upper = UpperCopy(name);
        const int number = DecompileScopedIndex(upper);
        const zCPar_Symbol* constant = symtab.GetSymbol(number);
        int value = -1;
        if (constant && constant->GetType() == zPAR_TYPE_INT && constant->HasFlag(zPAR_FLAG_CONST)) {
            constant->GetValue(value, 0);
            if (value == n) {
                zSTRING spelled = upper;
                return nameBase.RestoreCase(spelled) == 0 ? spelled : name;
            }
        }
    }
    return zSTRING(std::to_string(n).c_str());
}

// --- reports ---

void zCParserDecompiler::DecompileError(const zSTRING& text)
{
    parser.ReportError(text, g_decompileFileName.empty() ? nullptr : g_decompileFileName.c_str(),
                g_decompileFileName.empty() ? -1 : decompileLineCount);
}

void zCParserDecompiler::DecompileDamaged(const zSTRING& what)
{
    g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_ERROR_IN_DAT, what),
                           g_decompileFileName.empty() ? nullptr : g_decompileFileName.c_str(),
                           g_decompileFileName.empty() ? -1 : decompileLineCount);
}
