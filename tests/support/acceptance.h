// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The acceptance table (tests/acceptance.txt): what the program must show,
// written apart from its code. Its path comes from the build.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace acceptance {

inline const std::map<std::string, std::string>& table()
{
    static const std::map<std::string, std::string> entries = [] {
        std::map<std::string, std::string> read;
        std::ifstream file(TACOLINA_ACCEPTANCE);
        for (std::string line; std::getline(file, line);) {
            const auto colon = line.find(':');
            if (!line.empty() && line[0] != '#' && colon != std::string::npos) {
                read[line.substr(0, colon)] = line.substr(line.find_first_not_of(' ', colon + 1));
            }
        }
        return read;
    }();
    return entries;
}

// The value of a key, whole; the test fails to start without it.
inline const std::string& text(const std::string& key)
{
    const auto found = table().find(key);
    if (found == table().end()) {
        std::fprintf(stderr, "acceptance table: no %s in %s\n", key.c_str(), TACOLINA_ACCEPTANCE);
        std::abort();
    }
    return found->second;
}

inline std::vector<std::string> words(const std::string& key)
{
    std::istringstream in(text(key));
    std::vector<std::string> result;
    for (std::string word; in >> word;) {
        result.push_back(word);
    }
    return result;
}

inline std::vector<int> numbers(const std::string& key)
{
    std::vector<int> result;
    for (const std::string& word : words(key)) {
        result.push_back(std::stoi(word));
    }
    return result;
}

// A colour written as RRGGBB hex.
inline std::uint32_t rgb(const std::string& hex)
{
    return static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
}

// The same colour as the painter's colour value, 0x00BBGGRR.
inline std::int32_t colourValue(const std::string& hex)
{
    const std::uint32_t c = rgb(hex);
    return static_cast<std::int32_t>((c & 0xFF) << 16 | (c & 0xFF00) | c >> 16);
}

inline std::vector<std::int32_t> palette()
{
    std::vector<std::int32_t> values;
    for (const std::string& hex : words("palette")) {
        values.push_back(colourValue(hex));
    }
    return values;
}

}  // namespace acceptance
