// skinpack: packs, unpacks and inspects skins for skin authors.
// Exit status: 0 success, 1 bad input (one line on stderr), 2 wrong usage.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "base/Error.h"

namespace skinpack {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitUsage = 2;

// Thrown by commands; Run turns them into one line on stderr and the status.
struct UsageError : base::Error {
    using base::Error::Error;
};
struct InputError : base::Error {
    using base::Error::Error;
};

// What a command gets: its arguments (without the command name) and the
// streams to talk on.
struct Context {
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
};

// argv without the program name.
int Run(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

// Helpers shared by the commands.
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
// Requires exactly `count` positional arguments.
void ExpectArgs(const Context& context, std::size_t count);

}  // namespace skinpack
