// The program's output streams. Every write is checked: results lost on a full
// disk or a closed pipe must not look like success to a script.
#pragma once

#include <cstdio>
#include <string>

namespace eee {

inline constexpr const char* kProgram = "eee-calc-cli";

void Write(std::FILE* stream, const std::string& text);

// "eee-calc-cli: TEXT" on the error stream.
void Complain(const std::string& text);

// Flushes standard output; 1 when anything written there was lost (and says
// so on the error stream), else 0.
int OutputStatus();

} // namespace eee
