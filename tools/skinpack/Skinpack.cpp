#include "Skinpack.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include "base/System.h"

namespace skinpack {

int RunPack(Context&);
int RunUnpack(Context&);
int RunList(Context&);
int RunCompress(Context&);
int RunDecompress(Context&);
int RunCheck(Context&);
int RunInfo(Context&);

namespace {
struct Command {
    const char* name;
    const char* usage;  // arguments, as --help shows them
    const char* summary;
    int (*run)(Context&);
};

// The commands, in the order --help lists them. To add one: write its file
// here (say Check.cpp, defining `int RunCheck(Context&)` in namespace
// skinpack; CMake picks up every .cpp), declare it above and add its line
// below. Throw UsageError or InputError for the exit status 2 or 1.
const Command kCommands[] = {
    {"pack", "DIR OUT.skn [--tag 20000|30000|40000|50000]",
     "pack the .ini and every .bmp of DIR (sorted by name) into a packed skin", RunPack},
    {"unpack", "FILE.skn DIR", "write every member of a skin into DIR", RunUnpack},
    {"list", "FILE.skn", "print the format tag and each member's size and name", RunList},
    {"compress", "IN OUT", "LZH-compress IN into OUT (32-bit size, then the stream)", RunCompress},
    {"decompress", "IN OUT", "undo compress", RunDecompress},
    {"check", "FILE.skn...", "report images that do not load, uneven frame strips and stray magenta", RunCheck},
    {"info", "FILE.skn [--json]", "load a skin into the skin model and print what the engine understood", RunInfo},
};

void PrintHelp(std::ostream& out) {
    out << "usage: skinpack COMMAND ARGS...\n\n";
    for (const auto& c : kCommands) out << "  skinpack " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
    out << "  skinpack --help\n\n"
           "A .skn file is a packed skin, with or without a leading 32-bit stored length.\n"
           "Exit status: 0 success, 1 bad input, 2 wrong usage.\n";
}

// The reader reports an unknown format tag with a modal message; a command
// line tool says it on stderr instead.
class QuietMessages {
public:
    QuietMessages() { sys::SetMessageObserver([](const std::string&, const std::string&, sys::MessageKind) {}); }
    ~QuietMessages() { sys::SetMessageObserver(nullptr); }
};
}  // namespace

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError("cannot read " + path.string());
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw InputError("cannot read " + path.string());
    return bytes;
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code ignored;  // a failure shows when the file is opened
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) throw InputError("cannot write " + path.string());
}

void ExpectArgs(const Context& context, std::size_t count) {
    if (context.args.size() != count) throw UsageError("wrong number of arguments (see skinpack --help)");
}

int Run(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    if (argv.empty()) {
        PrintHelp(err);
        return kExitUsage;
    }
    if (argv[0] == "--help" || argv[0] == "-h" || argv[0] == "help") {
        PrintHelp(out);
        return kExitOk;
    }
    const Command* command = nullptr;
    for (const auto& c : kCommands)
        if (argv[0] == c.name) command = &c;
    if (!command) {
        err << "skinpack: unknown command '" << argv[0] << "' (see skinpack --help)\n";
        return kExitUsage;
    }
    Context context{std::vector<std::string>(argv.begin() + 1, argv.end()), out, err};
    for (const auto& a : context.args) {
        if (a == "--help" || a == "-h") {
            out << "usage: skinpack " << command->name << ' ' << command->usage << '\n';
            return kExitOk;
        }
    }
    QuietMessages quiet;
    try {
        return command->run(context);
    } catch (const UsageError& e) {
        err << "skinpack " << command->name << ": " << e.what() << '\n';
        return kExitUsage;
    } catch (const std::exception& e) {
        err << "skinpack " << command->name << ": " << e.what() << '\n';
        return kExitBadInput;
    }
}

}  // namespace skinpack
