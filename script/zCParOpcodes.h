// The byte code of compiled scripts: opcode numbers, operand sizes and the printable
// names the symbol dump lays its text out with.
#pragma once

#include "zSTRING.h"

// Opcodes with a fixed meaning; 0-33 are the operators and share their node kinds.
enum zTParOpcode {
    zPAR_OP_END = 60,            // return from a body
    zPAR_OP_CALL = 61,           // int: code address
    zPAR_OP_CALLEXTERN = 62,     // int: symbol number
    zPAR_OP_PUSHINT = 64,        // int: value
    zPAR_OP_PUSHVAR = 65,        // int: symbol number
    zPAR_OP_PUSHINSTANCE = 67,   // int: symbol number, 0 for NULL
    zPAR_OP_ASSIGNSTR = 70,
    zPAR_OP_71 = 71,             // int in the dump; nothing makes it
    zPAR_OP_ASSIGNFUNC = 72,
    zPAR_OP_ASSIGNFLOAT = 73,
    zPAR_OP_ASSIGNINSTANCE = 74,
    zPAR_OP_JUMP = 75,           // int: code address
    zPAR_OP_JUMPF = 76,          // int: code address
    zPAR_OP_SETINSTANCE = 80,    // int: symbol number
    zPAR_OP_PUSH_ARRAYVAR = 245  // int: symbol number, byte: element index
};

// The name of an opcode with its trailing blank or line feed; empty for a byte that is
// no opcode.
const zSTRING& GetOpcodeName(int opcode);

// Bytes after the opcode byte: 0, 4, or 5 for the array element push.
int GetOpcodeOperandSize(int opcode);
