// A parser reading script text handed to it directly, with the reporter's lines
// captured, for the tests of the tokenizer and the expression readers.
#pragma once

#include <memory>
#include <string>

#include "ReporterCapture.h"
#include "zCParser.h"

class ParserTextFixture : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        // Made here: the parser loads its error texts in the language just set.
        parser = std::make_unique<zCParser>();
    }
    void TearDown() override
    {
        parser.reset();
        ReporterCapture::TearDown();
    }

    // The text becomes a new file being read, from its first line.
    void Feed(const std::string& text)
    {
        zCPar_File* record = parser->NewFileRecord("TEST.D");
        record->SetText(text);
        parser->StartReading(record);
    }

    // Lists a symbol in the parser's table; its number.
    int AddSymbol(const char* name, int type, zCPar_Symbol* parent = nullptr, int count = 1, int flags = 0)
    {
        auto* symbol = new zCPar_Symbol;
        symbol->name = name;
        symbol->SetType(type);
        symbol->SetElementCount(count);
        if (flags != 0)
            symbol->SetFlag(flags);
        symbol->SetParent(parent);
        EXPECT_EQ(parser->GetSymbolTable().Insert(symbol), 1);
        return parser->GetSymbolTable().GetIndex(symbol);
    }

    zCPar_Symbol* Symbol(int index) { return parser->GetSymbolTable().GetSymbol(index); }

    static bool Contains(const std::string& text, const std::string& part)
    {
        return text.find(part) != std::string::npos;
    }

    std::unique_ptr<zCParser> parser;
};
