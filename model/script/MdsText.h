// The words, quoted texts and options of model-script lines, the line reader the
// block readers share, and when the binary script is written alongside.
#pragma once

#include "zSTRING.h"

// Convert jobs of the first game and compile jobs of the second write the binary
// script while they read the text.
bool MdsWritesBinary();

// The next line of g_mdsFile, upper-cased, counted in g_mdsLineNumber; false at the
// end of the file, on a read error and without an open file.
bool ReadMdsLine(zSTRING& line);

// Keeps only the text between the first and the second double quote; without a
// quote the text stays, with one only what follows it.
void ExtractQuotedText(zSTRING& text);
zSTRING QuotedArgument(const zSTRING& text);

// The text between the first "(" and the next ")"; without "(" the whole line,
// without ")" everything behind the "(".
zSTRING MdsArgumentText(const zSTRING& line);
// Word n (from 1) separated by blanks, tabs and carriage returns; empty when missing.
zSTRING MdsWord(const zSTRING& args, unsigned n);
// Word n unquoted.
zSTRING MdsName(const zSTRING& args, unsigned n);
int MdsInt(const zSTRING& args, unsigned n);
float MdsFloat(const zSTRING& args, unsigned n);
// The n-th text (from 1) between a pair of double quotes; an empty pair counts too,
// so a later text keeps its place.
zSTRING MdsQuotedText(const zSTRING& args, unsigned n);
// When the text holds the option ("FPS:" ...), removes everything up to and including
// it and reads the number behind; otherwise the value keeps its default.
void ReadOptionValue(zSTRING& text, const char* option, float& value);
// The name up to its first "." (the whole name without one).
zSTRING CutBeforeFirstPoint(const zSTRING& name);

// Reports about the script at the current line (level as zERROR::Report).
void ReportMdsLine(int level, const zSTRING& text, const zSTRING& scriptName, int line);
