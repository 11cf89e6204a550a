// The opcode name table.
#include "zCParOpcodes.h"

namespace {

struct OpcodeNames {
    zSTRING names[256];

    OpcodeNames()
    {
        const char* const operators[] = {"+ ", "- ", "* ", "/ ", "% ", "| ", "& ", "< ", "> ", "=\n"};
        for (int i = 0; i < 10; ++i)
            names[i] = operators[i];
        names[11] = "|| ";
        names[12] = "&& ";
        names[13] = "<< ";
        names[14] = ">> ";
        names[15] = "<= ";
        names[16] = "== ";
        names[17] = "!= ";
        names[18] = ">= ";
        names[19] = "+= ";
        names[20] = "-= ";
        names[21] = "*= ";
        names[22] = "/= ";
        names[30] = "E_OPER ";
        names[31] = "^";
        names[32] = "!";
        names[33] = "~";
        names[zPAR_OP_END] = "E_END ";
        names[zPAR_OP_CALL] = "E_ENTRY ";
        names[zPAR_OP_CALLEXTERN] = "E_EXT_FUNC ";
        names[zPAR_OP_PUSHINT] = "E_DT ";
        names[zPAR_OP_PUSHVAR] = "E_RF ";
        names[zPAR_OP_PUSHINSTANCE] = "E_INSTANCE ";
        names[zPAR_OP_ASSIGNSTR] = "E_STR\n";
        names[zPAR_OP_71] = "E_71 ";
        names[zPAR_OP_ASSIGNFUNC] = "E_LET_FUNC\n";
        names[zPAR_OP_ASSIGNFLOAT] = "E_FLOAT\n";
        names[zPAR_OP_ASSIGNINSTANCE] = "E_74\n";
        names[zPAR_OP_JUMP] = "\nE_ELSE ";
        names[zPAR_OP_JUMPF] = "E_IF ";
        names[zPAR_OP_SETINSTANCE] = "E_SET_INSTANCE ";
        names[zPAR_OP_PUSH_ARRAYVAR] = "E_ARRAY ";
    }
};

// Built on first use, then never changed.
const OpcodeNames& Table()
{
    static const OpcodeNames table;
    return table;
}

} // namespace

const zSTRING& GetOpcodeName(int opcode)
{
    static const zSTRING none;
    if (opcode < 0 || opcode > 255)
        return none;
    return Table().names[opcode];
}

int GetOpcodeOperandSize(int opcode)
{
    switch (opcode) {
    case zPAR_OP_CALL:
    case zPAR_OP_CALLEXTERN:
    case zPAR_OP_PUSHINT:
    case zPAR_OP_PUSHVAR:
    case zPAR_OP_PUSHINSTANCE:
    case zPAR_OP_71:
    case zPAR_OP_JUMP:
    case zPAR_OP_JUMPF:
    case zPAR_OP_SETINSTANCE:
        return 4;
    case zPAR_OP_PUSH_ARRAYVAR:
        return 5;
    default:
        return 0;
    }
}
