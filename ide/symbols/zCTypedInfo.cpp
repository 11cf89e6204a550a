// The class-view symbol model: its declaration parser, its build and its lookups.
#include "zCTypedInfo.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <utility>

#include "ListOrder.h"
#include "ResourceIds.h"

namespace {

// The one-character tokens.
struct DelimiterTable {
    bool is[256] = {};
    DelimiterTable()
    {
        for (const char* c = ";,:=><*+-/?'%()/&!|{}[]\"~"; *c; ++c)
            is[static_cast<unsigned char>(*c)] = true;
    }
};
const DelimiterTable kDelimiters;

bool IsDelimiter(unsigned char c)
{
    return kDelimiters.is[c];
}

int LowerAscii(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Names ignoring the case of ASCII letters, as the compiler's names are.
int CompareRecordNames(const char* a, std::size_t aLength, const char* b, std::size_t bLength)
{
    const std::size_t common = std::min(aLength, bLength);
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = LowerAscii(static_cast<unsigned char>(a[i])) - LowerAscii(static_cast<unsigned char>(b[i]));
        if (difference != 0)
            return difference;
    }
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

int CompareRecordNames(const zSTRING& a, const zSTRING& b)
{
    return CompareRecordNames(a.data(), a.size(), b.data(), b.size());
}

bool SameName(const zSTRING& a, const char* b)
{
    return CompareRecordNames(a.data(), a.size(), b, std::strlen(b)) == 0;
}

template <class Record>
void SortRecords(std::vector<std::unique_ptr<Record>>& records)
{
    std::stable_sort(records.begin(), records.end(),
                     [](const std::unique_ptr<Record>& a, const std::unique_ptr<Record>& b) {
                         return CompareRecordNames(a->name, b->name) < 0;
                     });
}

template <class Record>
const Record* FindRecord(const std::vector<std::unique_ptr<Record>>& records, const zSTRING& name)
{
    const auto found = std::lower_bound(records.begin(), records.end(), name,
                                        [](const std::unique_ptr<Record>& record, const zSTRING& key) {
                                            return CompareRecordNames(record->name, key) < 0;
                                        });
    if (found == records.end() || CompareRecordNames((*found)->name, name) != 0)
        return nullptr;
    return found->get();
}

// Basic type names in lower case, class and prototype names in upper case.
zSTRING CasedType(const zSTRING& type, bool variable)
{
    zSTRING cased = type;
    for (const char* basic : {"void", "int", "float", "string", "func"}) {
        if ((variable || std::strcmp(basic, "func") != 0) && SameName(type, basic))
            return cased.Lower();
    }
    return cased.Upper();
}

#ifdef _WIN32
const char kPathSeparator = '\\';
#else
const char kPathSeparator = '/';
#endif

zSTRING JoinPath(const zSTRING& folder, const zSTRING& name)
{
    zSTRING path = folder;
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += kPathSeparator;
    path += name;
    std::replace(path.begin(), path.end(), kPathSeparator == '/' ? '\\' : '/', kPathSeparator);
    return path;
}

}  // namespace

zCTypedInfo g_typedInfo;

zCTypedInfo::zCTypedInfo() = default;

zCTypedInfo::~zCTypedInfo()
{
    Clear();
}

void zCTypedInfo::Clear()
{
    functions.clear();
    classes.clear();
    prototypes.clear();
    instances.clear();
    variables.clear();
    entries.clear();
    autoCompletionText.clear();
    autoCompletionLength = 0;
    symbols.Clear();
    ++generation;
}

void zCTypedInfo::BuildClassView(const zTClassViewProject& project, bool showProgress, zIClassViewHost* host)
{
    Clear();
    building = 1;
    LoadInternalFunctions(project);
    for (const zSTRING& source : project.sources)
        ParseDeclarations(JoinPath(project.folder, source), source);
    building = 0;
    Finish(showProgress, host);
}

int zCTypedInfo::LoadInternalFunctions(const zTClassViewProject& project)
{
    zSTRING file;
    if (SameName(project.name, "Menu")) {
        file = "IntFuncMenu";
    } else if (SameName(project.name, "Varnok")) {
        file = "IntFuncVarnok";
        if (project.secondGame)
            file += "2";
    } else {
        return 0;
    }
    switch (project.languageId & 0x3FF) {
    case 0x09: file += "_en"; break;
    case 0x19: file += "_ru"; break;
    case 0x07: file += "_de"; break;
    default: break;
    }
    file += ".d";
    const zSTRING path = JoinPath(project.internalFolder, file);
    internal = 1;
    ParseDeclarations(path, path);
    internal = 0;
    return 1;
}

int zCTypedInfo::ParseDeclarations(const zSTRING& hostPath, const zSTRING& name)
{
    std::ifstream in(hostPath, std::ios::binary | std::ios::ate);
    if (!in)
        return 0;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return 0;
    std::string text(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(text.data(), size))
        return 0;
    ParseText(std::move(text), name);
    return 1;
}

void zCTypedInfo::ParseText(std::string text, const zSTRING& name)
{
    currentFile = name;
    // A NUL in the text ends it, as the end of the buffer does.
    buffer = std::move(text);
    buffer.resize(std::strlen(buffer.c_str()));
    cursor = 0;
    line = 0;
    historyTop = 0;
    currentClass = nullptr;
    currentClassSymbol = nullptr;
    currentFunctionSymbol = nullptr;
    parameters = 0;
    for (;;) {
        NextToken();
        int result = 0;
        if (SameName(token, "FUNC"))
            result = ParseFunc();
        else if (SameName(token, "CONST"))
            result = ParseVar(true);
        else if (SameName(token, "VAR"))
            result = ParseVar(false);
        else if (SameName(token, "CLASS"))
            result = ParseClass();
        else if (SameName(token, "PROTOTYPE"))
            result = ParsePrototype();
        else if (SameName(token, "INSTANCE"))
            result = ParseInstance();
        if (!result || !ExpectToken(";"))
            break;
    }
    currentClass = nullptr;
    currentClassSymbol = nullptr;
    currentFunctionSymbol = nullptr;
    parameters = 0;
    buffer.clear();
    buffer.shrink_to_fit();
}

void zCTypedInfo::Finish(bool showProgress, zIClassViewHost* host)
{
    SortRecords(functions);
    SortRecords(classes);
    SortRecords(prototypes);
    SortRecords(instances);
    SortRecords(variables);
    if (host) {
        if (showProgress)
            host->ShowStatus(IDS_LOADING_CLASS_VIEW_TREE);
        host->RefillClassView();
        if (showProgress)
            host->ShowStatus(IDS_LOADING_AUTO_COMPLETE);
    }
    // Names alone decide the order, as the control's search sees them; the image
    // breaks ties so that a build always gives the same text.
    for (Entry& entry : entries)
        entry.key = ListNameKey(entry.name->data(), entry.name->size());
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.key != b.key)
            return a.key < b.key;
        const int byName = CompareListNames(a.name->data(), a.name->size(), b.name->data(), b.name->size());
        if (byName != 0)
            return byName < 0;
        const int exact = a.name->compare(*b.name);
        return exact != 0 ? exact < 0 : a.image < b.image;
    });
    autoCompletionLength = 0;
    for (const Entry& entry : entries)
        autoCompletionLength += static_cast<int>(entry.name->size()) + 3;
    autoCompletionText.clear();
    autoCompletionText.reserve(static_cast<std::size_t>(autoCompletionLength));
    for (const Entry& entry : entries) {
        autoCompletionText += *entry.name;
        autoCompletionText += '?';
        autoCompletionText += static_cast<char>('0' + entry.image);
        autoCompletionText += '\n';
    }
    // The last line feed goes; an empty list stays empty.
    if (!autoCompletionText.empty())
        autoCompletionText.pop_back();
}

void zCTypedInfo::NextToken()
{
    history[historyTop] = {cursor, line};
    historyTop = (historyTop + 1) % 16;
    token.clear();
    const std::size_t end = buffer.size();
    for (;;) {
        while (cursor < end && static_cast<unsigned char>(buffer[cursor]) <= 32) {
            if (buffer[cursor] == '\n')
                ++line;
            ++cursor;
        }
        if (cursor >= end)
            return;
        if (buffer[cursor] == '/' && cursor + 1 < end && buffer[cursor + 1] == '/') {
            while (cursor < end && buffer[cursor] != '\n')
                ++cursor;
            continue;
        }
        if (buffer[cursor] == '/' && cursor + 1 < end && buffer[cursor + 1] == '*') {
            const std::size_t close = buffer.find("*/", cursor + 2);
            const std::size_t stop = close == std::string::npos ? end : close + 2;
            line += static_cast<int>(std::count(buffer.begin() + static_cast<std::ptrdiff_t>(cursor),
                                                buffer.begin() + static_cast<std::ptrdiff_t>(stop), '\n'));
            cursor = stop;
            continue;
        }
        break;
    }
    tokenLine = line;
    const std::size_t start = cursor;
    const unsigned char first = static_cast<unsigned char>(buffer[cursor]);
    if (first == '"') {
        // A string is one token up to its closing quote or the end of its line, so that
        // the ";", "//" or braces inside it are text.
        ++cursor;
        while (cursor < end && buffer[cursor] != '"' && buffer[cursor] != '\n')
            ++cursor;
        if (cursor < end && buffer[cursor] == '"')
            ++cursor;
    } else if (IsDelimiter(first)) {
        ++cursor;
    } else {
        while (cursor < end && static_cast<unsigned char>(buffer[cursor]) > 32 &&
               !IsDelimiter(static_cast<unsigned char>(buffer[cursor])))
            ++cursor;
    }
    token.assign(buffer, start, cursor - start);
}

void zCTypedInfo::UngetToken()
{
    historyTop = (historyTop + 15) % 16;
    cursor = history[historyTop].cursor;
    line = history[historyTop].line;
}

bool zCTypedInfo::ExpectToken(const char* text)
{
    NextToken();
    return SameName(token, text);
}

bool zCTypedInfo::SkipBraces()
{
    // Bodies are most of a project: they are passed over character by character, with
    // the token reader's rules for comments and strings, without making tokens.
    history[historyTop] = {cursor, line};
    historyTop = (historyTop + 1) % 16;
    const std::size_t end = buffer.size();
    const char* text = buffer.data();
    int depth = 1;
    while (cursor < end) {
        const char c = text[cursor];
        if (c == '\n') {
            ++line;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) {
                ++cursor;
                token = "}";
                return true;
            }
        } else if (c == '"') {
            ++cursor;
            while (cursor < end && text[cursor] != '"' && text[cursor] != '\n')
                ++cursor;
            if (cursor < end && text[cursor] == '"')
                ++cursor;
            continue;
        } else if (c == '/' && cursor + 1 < end && text[cursor + 1] == '/') {
            while (cursor < end && text[cursor] != '\n')
                ++cursor;
            continue;
        } else if (c == '/' && cursor + 1 < end && text[cursor + 1] == '*') {
            const std::size_t close = buffer.find("*/", cursor + 2);
            const std::size_t stop = close == std::string::npos ? end : close + 2;
            line += static_cast<int>(std::count(text + cursor, text + stop, '\n'));
            cursor = stop;
            continue;
        }
        ++cursor;
    }
    token.clear();
    return true;
}

int zCTypedInfo::SkipBody()
{
    NextToken();
    if (token == ";") {
        UngetToken();
        return 1;
    }
    if (token != "{")
        return 0;
    return SkipBraces() ? 1 : 0;
}

zSTRING zCTypedInfo::NormaliseParameters()
{
    const std::size_t close = buffer.find(')', cursor);
    std::string raw = buffer.substr(cursor, close == std::string::npos ? std::string::npos : close - cursor);
    for (char& c : raw) {
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    zSTRING out;
    bool blank = false;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        // An array parameter's size would read as part of its name.
        if (raw[i] == '[') {
            const std::size_t close = raw.find(']', i);
            i = close == std::string::npos ? raw.size() : close;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(raw[i]);
        const bool wordStart = i == 0 || !(std::isalnum(static_cast<unsigned char>(raw[i - 1])) || raw[i - 1] == '_');
        if (wordStart && i + 4 <= raw.size() && SameName(zSTRING(raw.substr(i, 3)), "VAR") && raw[i + 3] == ' ') {
            i += 3;
            blank = true;
            continue;
        }
        if (c == ' ') {
            blank = true;
        } else if (c == ',') {
            out += ", ";
            blank = false;
        } else if (std::isalnum(c) || c == '_' || c >= 0x80) {
            if (blank && !out.empty() && out.back() != ' ')
                out += ' ';
            blank = false;
            out += static_cast<char>(c);
        }
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

zCPar_Symbol* zCTypedInfo::EnterSymbol(const zSTRING& name, int type)
{
    auto symbol = std::make_unique<zCPar_Symbol>();
    symbol->name = name;
    symbol->name.Upper();
    symbol->SetType(type);
    symbol->declaredType = type;
    if (!symbols.Insert(symbol.get()))
        return nullptr;
    return symbol.release();
}

void zCTypedInfo::AddEntry(const zSTRING& name, int image)
{
    entries.push_back({&name, image, 0});
}

int zCTypedInfo::ParseFunc()
{
    auto record = std::make_unique<zCTypedFunc>();
    NextToken();
    if (AtEnd())
        return 0;
    record->returnType = CasedType(token, false);
    NextToken();
    if (AtEnd() || IsDelimiter(static_cast<unsigned char>(token[0])))
        return 0;
    record->name = token;
    record->file = currentFile;
    record->line = tokenLine;
    record->internal = internal;
    if (!internal)
        currentFunctionSymbol = EnterSymbol(record->name, zPAR_TYPE_FUNC);
    if (!ExpectToken("("))
        return 0;
    record->parameters = NormaliseParameters();
    NextToken();
    if (SameName(token, "VAR")) {
        if (internal) {
            const std::size_t close = buffer.find(')', cursor);
            cursor = close == std::string::npos ? buffer.size() : close;
        } else {
            parameters = 1;
            const int result = ParseVar(false);
            parameters = 0;
            if (!result)
                return 0;
        }
    } else {
        UngetToken();
    }
    if (!ExpectToken(")"))
        return 0;
    currentFunctionSymbol = nullptr;
    AddEntry(record->name, internal ? kImageInternalFunction : kImageFunction);
    functions.push_back(std::move(record));
    return SkipBody();
}

int zCTypedInfo::ParseVar(bool isConst)
{
    for (;;) {
        NextToken();
        if (AtEnd())
            return 0;
        const zSTRING type = token;
        int typeCode = zPAR_TYPE_VOID;
        if (SameName(type, "INT"))
            typeCode = zPAR_TYPE_INT;
        else if (SameName(type, "FLOAT"))
            typeCode = zPAR_TYPE_FLOAT;
        else if (SameName(type, "STRING"))
            typeCode = zPAR_TYPE_STRING;
        else if (SameName(type, "FUNC"))
            typeCode = zPAR_TYPE_FUNC;
        else if (const zCPar_Symbol* typeSymbol = symbols.GetSymbol(zSTRING(type).Upper()))
            typeCode = typeSymbol->GetType() == zPAR_TYPE_CLASS ? zPAR_TYPE_INSTANCE : zPAR_TYPE_VOID;
        for (;;) {
            NextToken();
            if (AtEnd() || IsDelimiter(static_cast<unsigned char>(token[0])))
                return 0;
            const zSTRING name = token;
            const int nameLine = tokenLine;
            int isArray = 0;
            NextToken();
            if (token == "[") {
                NextToken();
                if (token == "-")
                    NextToken();
                if (!ExpectToken("]"))
                    return 0;
                isArray = 1;
            } else {
                UngetToken();
            }
            std::unique_ptr<zCTypedVar> record;
            if (!parameters) {
                record = std::make_unique<zCTypedVar>();
                record->name = name;
                record->type = CasedType(type, true);
                record->file = currentFile;
                record->line = nameLine;
                record->internal = internal;
                record->isArray = isArray;
                record->isConst = isConst ? 1 : 0;
            }
            if (currentClass) {
                if (zCPar_Symbol* symbol = EnterSymbol(zSTRING(currentClass->name + "." + name), typeCode))
                    symbol->SetFlag(zPAR_FLAG_CLASSVAR);
                if (record)
                    currentClass->members.push_back(std::move(record));
            } else if (currentFunctionSymbol) {
                EnterSymbol(zSTRING(currentFunctionSymbol->name + "." + name), typeCode);
                if (parameters)
                    currentFunctionSymbol->SetElementCount(currentFunctionSymbol->GetElementCount() + 1);
            } else if (record) {
                if (zCPar_Symbol* symbol = EnterSymbol(name, typeCode); symbol && isConst)
                    symbol->SetFlag(zPAR_FLAG_CONST);
                AddEntry(record->name, kImageVariable);
                variables.push_back(std::move(record));
            }
            if (isConst) {
                if (!ExpectToken("="))
                    return 0;
                if (isArray) {
                    if (!ExpectToken("{"))
                        return 0;
                    SkipBraces();
                } else {
                    for (;;) {
                        NextToken();
                        if (AtEnd())
                            break;
                        if (token == ";") {
                            UngetToken();
                            break;
                        }
                    }
                }
            }
            NextToken();
            if (token != ",") {
                UngetToken();
                return 1;
            }
            if (parameters) {
                if (!ExpectToken("VAR"))
                    return 0;
                break;  // a full declaration with its own type follows
            }
        }
    }
}

int zCTypedInfo::ParseClass()
{
    NextToken();
    if (AtEnd() || IsDelimiter(static_cast<unsigned char>(token[0])))
        return 0;
    auto owned = std::make_unique<zCTypedClass>();
    zCTypedClass* record = owned.get();
    record->name = token;
    record->file = currentFile;
    record->line = tokenLine;
    record->internal = internal;
    classes.push_back(std::move(owned));
    AddEntry(record->name, kImageClass);
    currentClassSymbol = EnterSymbol(record->name, zPAR_TYPE_CLASS);
    currentClass = record;
    int result = 0;
    if (ExpectToken("{")) {
        for (;;) {
            NextToken();
            if (token == "}") {
                result = 1;
                break;
            }
            if (!SameName(token, "VAR") || !ParseVar(false) || !ExpectToken(";"))
                break;
        }
    }
    currentClass = nullptr;
    currentClassSymbol = nullptr;
    std::stable_sort(record->members.begin(), record->members.end(),
                     [](const std::unique_ptr<zCTypedVar>& a, const std::unique_ptr<zCTypedVar>& b) {
                         return CompareListNames(a->name.data(), a->name.size(), b->name.data(), b->name.size()) < 0;
                     });
    return result;
}

int zCTypedInfo::ParsePrototype()
{
    NextToken();
    if (AtEnd() || IsDelimiter(static_cast<unsigned char>(token[0])))
        return 0;
    auto record = std::make_unique<zCTypedProto>();
    record->name = token;
    record->file = currentFile;
    record->line = tokenLine;
    record->internal = internal;
    NextToken();
    if (token != "(")
        return 0;
    NextToken();
    record->base = zSTRING(token).Upper();
    const zCPar_Symbol* base = symbols.GetSymbol(record->base);
    if (!base || base->GetType() != zPAR_TYPE_CLASS)
        return 0;
    currentFunctionSymbol = EnterSymbol(record->name, zPAR_TYPE_PROTOTYPE);
    if (!ExpectToken(")"))
        return 0;
    currentFunctionSymbol = nullptr;
    AddEntry(record->name, kImagePrototype);
    prototypes.push_back(std::move(record));
    return SkipBody();
}

int zCTypedInfo::ParseInstance()
{
    std::vector<std::pair<zSTRING, int>> names;
    for (;;) {
        NextToken();
        if (AtEnd() || IsDelimiter(static_cast<unsigned char>(token[0])))
            return 0;
        names.emplace_back(token, tokenLine);
        NextToken();
        if (token != ",")
            break;
    }
    if (token != "(")
        return 0;
    NextToken();
    const zSTRING baseName = zSTRING(token).Upper();
    const zCPar_Symbol* base = symbols.GetSymbol(baseName);
    if (!base || (base->GetType() != zPAR_TYPE_CLASS && base->GetType() != zPAR_TYPE_PROTOTYPE))
        return 0;
    if (!ExpectToken(")"))
        return 0;
    for (const auto& [name, nameLine] : names) {
        auto record = std::make_unique<zCTypedInstance>();
        record->name = name;
        record->file = currentFile;
        record->line = nameLine;
        record->internal = internal;
        record->base = baseName;
        AddEntry(record->name, kImageInstance);
        EnterSymbol(name, zPAR_TYPE_INSTANCE);
        instances.push_back(std::move(record));
    }
    NextToken();
    UngetToken();
    if (token == ";")
        return 1;
    return SkipBody();
}

zSTRING zCTypedInfo::GetCallTip(const zSTRING& name) const
{
    const zCTypedFunc* function = FindRecord(functions, name);
    return function ? function->GetDisplayText() : zSTRING();
}

zSTRING zCTypedInfo::GetMemberList(const zSTRING& name, const DeclarationContext&, int resolved) const
{
    zSTRING className = name;
    if (!resolved) {
        const zCTypedProto* prototype = nullptr;
        if (const zCTypedInstance* instance = FindRecord(instances, name)) {
            className = instance->base;
            prototype = FindRecord(prototypes, instance->base);
        } else {
            prototype = FindRecord(prototypes, name);
        }
        if (prototype)
            className = prototype->base;
        else if (!FindRecord(instances, name))
            if (const zCTypedVar* variable = FindRecord(variables, name))
                className = variable->type;
    }
    const zCTypedClass* found = FindRecord(classes, className);
    if (!found || found->members.empty())
        return zSTRING();
    zSTRING list;
    for (const auto& member : found->members) {
        list += member->name;
        list += "?4\n";
    }
    list.pop_back();
    return list;
}

const zCTypedClass* zCTypedInfo::ResolveClass(DeclarationContext context, const zCTypedVar** member,
                                              const zSTRING& name) const
{
    if (context.kind == DeclarationContext::kObject) {
        if (const zCTypedInstance* instance = FindRecord(instances, context.text)) {
            context.kind = DeclarationContext::kInstanceBase;
            context.text = instance->base;
        } else {
            if (const zCTypedVar* variable = FindRecord(variables, context.text))
                context.text = variable->type;
            context.kind = DeclarationContext::kClass;
        }
    }
    if (context.kind == DeclarationContext::kInstanceBase) {
        if (const zCTypedProto* prototype = FindRecord(prototypes, context.text))
            context.text = prototype->base;
        context.kind = DeclarationContext::kClass;
    }
    if (context.kind != DeclarationContext::kClass)
        return nullptr;
    const zCTypedClass* owner = FindRecord(classes, context.text);
    if (owner)
        *member = owner->FindMember(name);
    return *member ? owner : nullptr;
}

zSTRING zCTypedInfo::GetDeclarationTip(const zSTRING& name, const DeclarationContext& context) const
{
    const zCTypedVar* member = nullptr;
    if (const zCTypedClass* owner = ResolveClass(context, &member, name)) {
        zSTRING text = member->GetDisplayText();
        const std::size_t blank = text.find(' ', 4);
        if (blank != std::string::npos)
            text.insert(blank + 1, owner->name + "::");
        return text;
    }
    for (const zCTypedHead* record :
         {static_cast<const zCTypedHead*>(FindRecord(classes, name)), static_cast<const zCTypedHead*>(FindRecord(prototypes, name)),
          static_cast<const zCTypedHead*>(FindRecord(functions, name)), static_cast<const zCTypedHead*>(FindRecord(instances, name)),
          static_cast<const zCTypedHead*>(FindRecord(variables, name))}) {
        if (record) {
            zSTRING text = record->GetDisplayText();
            if (!text.empty())
                return text;
        }
    }
    return zSTRING();
}

const zCTypedHead* zCTypedInfo::FindDeclaration(const zSTRING& name, const DeclarationContext& context) const
{
    const zCTypedVar* member = nullptr;
    if (ResolveClass(context, &member, name))
        return member;
    for (const zCTypedHead* record :
         {static_cast<const zCTypedHead*>(FindRecord(classes, name)), static_cast<const zCTypedHead*>(FindRecord(prototypes, name)),
          static_cast<const zCTypedHead*>(FindRecord(functions, name)), static_cast<const zCTypedHead*>(FindRecord(instances, name)),
          static_cast<const zCTypedHead*>(FindRecord(variables, name))}) {
        if (record)
            return record;
    }
    return nullptr;
}
