// Values of the options that tzk-sim, the native program and the page
// share: whole numbers in a range, start stages, and FRAME:PATH pairs.
#pragma once

#include <cstdint>
#include <string>

// 1 when TEXT is a whole number (decimal, 0x hex or 0 octal) from LOW to
// HIGH and nothing else; VALUE is left alone otherwise.
int ParseOptionNumber(const char* text, int64_t low, int64_t high, int64_t& value);

// 1 for a start stage as the programs take it: a, b or c (the Windows
// program's -a, -b, -c), or 0, 1 or 2.
int ParseStageOption(const char* text, int32_t& stage);

// 1 for "FRAME:PATH" with FRAME a frame wait (0 to 2^40) and PATH not empty.
int ParseFramePath(const char* text, int64_t& frame, std::string& path);

// What an option handler made of one argument.
enum OptionResult { OptionUnknown, OptionBadValue, OptionFlag, OptionTakesValue };

// Walks the arguments after the program's name: `take` is given each one
// with the argument after it (null at the end) and says which it was; a
// value it took is skipped. 0, or 2 with ERROR set for an unknown option or
// a bad value.
int WalkOptions(int argc, const char* const* argv, OptionResult (*take)(const std::string& arg, const char* value, void* options),
                void* options, std::string& error);
