#include "TCommandLine.h"

namespace {

struct ModeOption {
    const char* flag;
    TCommandLine::Mode mode;
};

constexpr ModeOption kModes[] = {
    {"--messages", TCommandLine::Mode::Messages},
};

} // namespace

const char* TCommandLine::Usage()
{
    return "Usage: stemlook-text [OPTION] FOLDER\n"
           "Writes what the Kinvault database design in FOLDER holds, as text.\n"
           "\n"
           "  --messages    the messages log of loading FOLDER\n"
           "  -o FILE       write to FILE instead of standard output\n"
           "  --help        show this text\n"
           "  --version     show the version\n";
}

std::optional<TCommandLine> TCommandLine::Parse(const std::vector<std::string>& args,
                                                std::string& error)
{
    TCommandLine line;
    bool modeGiven = false;
    std::vector<std::string> positional;
    const auto takeValue = [&](size_t& i, std::string& into) {
        if (i + 1 >= args.size()) {
            error = args[i] + " needs a value";
            return false;
        }
        into = args[++i];
        return true;
    };
    const auto setMode = [&](Mode mode, const std::string& flag) {
        if (modeGiven) {
            error = flag + " cannot be combined with another job";
            return false;
        }
        modeGiven = true;
        line.mode = mode;
        return true;
    };

    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h")
            return TCommandLine{Mode::Help, {}, {}};
        if (arg == "--version")
            return TCommandLine{Mode::Version, {}, {}};
        if (arg == "-o" || arg == "--output") {
            if (!takeValue(i, line.outputFile))
                return std::nullopt;
            continue;
        }
        bool known = false;
        for (const ModeOption& option : kModes) {
            if (arg == option.flag) {
                if (!setMode(option.mode, arg))
                    return std::nullopt;
                known = true;
            }
        }
        if (!known) {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    if (positional.size() != 1) {
        error = positional.empty() ? "no database folder given" : "more than one folder given";
        return std::nullopt;
    }
    line.folder = positional.front();
    return line;
}
