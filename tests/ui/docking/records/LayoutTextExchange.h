// A layout exchange over "[Section]" / "Key=Value" text, for the record tests and the fuzz target.
// Values escape backslash, line feed and carriage return, as the XML exchange does, so a
// title keeps its bytes through the line form.
#pragma once

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "DockingPaneLayoutRecords.h"

class LayoutTextExchange : public DockingPaneLayoutExchange {
public:
    // Storing into an empty text.
    LayoutTextExchange() = default;
    // Loading from a text.
    explicit LayoutTextExchange(const std::string& text) : m_bLoading(true)
    {
        std::istringstream in(text);
        std::string line, section;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
                section = line.substr(1, line.size() - 2);
                continue;
            }
            size_t eq = line.find('=');
            if (eq != std::string::npos)
                Set(section, line.substr(0, eq), Unescape(line.substr(eq + 1)));
        }
    }

    // A value as text; sections and keys keep their first order.
    void Set(const std::string& section, const std::string& key, const std::string& value)
    {
        auto& keys = m_sections[section];
        if (keys.empty() && std::find(m_order.begin(), m_order.end(), section) == m_order.end())
            m_order.push_back(section);
        keys[key] = value;
    }
    void Erase(const std::string& section, const std::string& key) { m_sections[section].erase(key); }

    std::string Text() const
    {
        std::string text;
        for (const std::string& section : m_order) {
            text += "[" + section + "]\n";
            for (const auto& [key, value] : m_sections.at(section))
                text += key + "=" + Escape(value) + "\n";
        }
        return text;
    }

    bool IsLoading() const override { return m_bLoading; }
    void Section(const char* name) override { m_section = name; }
    bool Int(const char* key, int& value, const int* defaultValue) override
    {
        if (!m_bLoading) {
            Set(m_section, key, std::to_string(value));
            return true;
        }
        const std::string* text = Find(key);
        if (text) {
            errno = 0;
            char* end = nullptr;
            long number = std::strtol(text->c_str(), &end, 10);
            if (errno == 0 && end && *end == 0 && !text->empty() && number >= INT_MIN && number <= INT_MAX) {
                value = static_cast<int>(number);
                return true;
            }
        }
        if (!defaultValue)
            return false;
        value = *defaultValue;
        return true;
    }
    bool Bool(const char* key, bool& value, bool defaultValue) override
    {
        int number = value ? 1 : 0;
        const int fallback = defaultValue ? 1 : 0;
        Int(key, number, &fallback);
        value = number != 0;
        return true;
    }
    bool String(const char* key, std::string& value) override
    {
        if (!m_bLoading) {
            Set(m_section, key, value);
            return true;
        }
        const std::string* text = Find(key);
        if (!text)
            return false;
        value = *text;
        return true;
    }
    void Schema() override
    {
        int schema = 17;
        Int("Schema", schema, &schema);
    }

private:
    static std::string Escape(const std::string& value)
    {
        std::string out;
        for (char ch : value) {
            if (ch == '\\')
                out += "\\\\";
            else if (ch == '\n')
                out += "\\n";
            else if (ch == '\r')
                out += "\\r";
            else
                out += ch;
        }
        return out;
    }
    // An unknown escape stays as it stands.
    static std::string Unescape(const std::string& text)
    {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            char next = i + 1 < text.size() ? text[i + 1] : 0;
            if (text[i] == '\\' && (next == '\\' || next == 'n' || next == 'r')) {
                out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
                ++i;
            } else {
                out += text[i];
            }
        }
        return out;
    }

    const std::string* Find(const char* key) const
    {
        auto section = m_sections.find(m_section);
        if (section == m_sections.end())
            return nullptr;
        auto value = section->second.find(key);
        return value == section->second.end() ? nullptr : &value->second;
    }

    bool m_bLoading = false;
    std::string m_section;
    std::map<std::string, std::map<std::string, std::string>> m_sections;
    std::vector<std::string> m_order;
};
