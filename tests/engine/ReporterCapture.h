// Base fixture that sends the message reporter's lines to a headless host for the test to read.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IdeServices.h"
#include "ResString.h"
#include "zERROR.h"

// Host is zCHeadlessIde or a class derived from it that records more.
template <class Host>
class ReporterCaptureOn : public ::testing::Test {
protected:
    void SetUp() override
    {
        zSetIdeServices(&host);
        savedFilter = g_errorReporter.GetFilterLevel();
        g_errorReporter.SetFilterLevel(8);
        SetInterfaceLanguage(zLANG_ENGLISH);
    }
    void TearDown() override
    {
        g_errorReporter.SetFilterLevel(savedFilter);
        zSetIdeServices(nullptr);
    }

    // The text of every line the host has received, in order.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& line : host.GetLines())
            texts.push_back(line.text);
        return texts;
    }

    // Whether some received line holds the fragment.
    bool HasLine(const std::string& fragment) const
    {
        for (const std::string& text : Texts()) {
            if (text.find(fragment) != std::string::npos)
                return true;
        }
        return false;
    }

    Host host;

private:
    int savedFilter = 0;
};

using ReporterCapture = ReporterCaptureOn<zCHeadlessIde>;
