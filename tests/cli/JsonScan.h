// Just enough JSON reading for the tests: the keys of the outer object.
#pragma once

#include <string>
#include <vector>

namespace eee::test {

// The keys of the outermost object in order; empty when the text is not one well-nested object.
inline std::vector<std::string> TopLevelKeys(const std::string& json)
{
    std::vector<std::string> keys;
    int depth = 0;
    bool expectKey = false;
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '"') {
            std::string text;
            for (++i; i < json.size() && json[i] != '"'; ++i) {
                if (json[i] == '\\')
                    ++i;
                text += json[i];
            }
            if (depth == 1 && expectKey)
                keys.push_back(text);
            expectKey = false;
        } else if (c == '{' || c == '[') {
            ++depth;
            expectKey = c == '{' && depth == 1;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == ',' && depth == 1) {
            expectKey = true;
        }
    }
    return depth == 0 ? keys : std::vector<std::string> {};
}

// The raw text of the value of a top-level key ("" when absent).
inline std::string TopLevelValue(const std::string& json, const std::string& key)
{
    const std::string marker = "\"" + key + "\":";
    size_t start = std::string::npos;
    // Find the marker at depth 1.
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            if (depth == 1 && json.compare(i, marker.size(), marker) == 0) {
                start = i + marker.size();
                break;
            }
            inString = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    if (start == std::string::npos)
        return {};
    depth = 0;
    inString = false;
    size_t end = start;
    for (; end < json.size(); ++end) {
        const char c = json[end];
        if (inString) {
            if (c == '\\')
                ++end;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '{' || c == '[')
            ++depth;
        else if (c == '}' || c == ']') {
            if (depth == 0)
                break;
            --depth;
        } else if (c == ',' && depth == 0)
            break;
    }
    return json.substr(start, end - start);
}

} // namespace eee::test
