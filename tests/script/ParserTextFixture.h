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

    static bool Contains(const std::string& text, const std::string& part)
    {
        return text.find(part) != std::string::npos;
    }

    std::unique_ptr<zCParser> parser;
};
