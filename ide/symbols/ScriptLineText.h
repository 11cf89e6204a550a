// Word operations on one line of script text, as the editor's language aids read it:
// identifiers are letters, digits and "_"; positions are byte offsets into the line.
#pragma once

#include <string>

bool IsIdentifierChar(char c);

// The first occurrence of name with no identifier character on either side; -1 if none.
int FindWholeWord(const std::string& text, const std::string& name);
// Where word stands when only non-identifier characters come before it and none follows
// it directly (a line that starts with "functions" does not lead with "func"); -1 else.
int FindLeadingWord(const std::string& text, const std::string& word);
// Back from pos over non-identifier characters, then over an identifier, which is returned;
// pos ends at its start.
std::string WordBefore(const std::string& text, int& pos);
// Forward from pos over non-identifier characters, then over an identifier, which is
// returned; pos ends after it.
std::string WordAfter(const std::string& text, int& pos);
// The identifier text inside the line's first "(...)": "instance Hero (C_NPC)" gives "C_NPC".
std::string TextBetweenParentheses(const std::string& text);
// Whether the two names are equal ignoring the case of ASCII letters.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);
