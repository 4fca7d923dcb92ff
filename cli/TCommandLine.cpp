#include "TCommandLine.h"

#include <sstream>

namespace {

struct ModeOption {
    const char* flag;
    TCommandLine::Mode mode;
    bool takesArgument;
};

constexpr ModeOption kModes[] = {
    {"--messages", TCommandLine::Mode::Messages, false},
    {"--index", TCommandLine::Mode::Index, false},
    {"--used-by", TCommandLine::Mode::UsedBy, true},
    {"--pieces", TCommandLine::Mode::Pieces, true},
    {"--copy", TCommandLine::Mode::Copy, true},
    {"--dot", TCommandLine::Mode::Dot, false},
    {"--svg", TCommandLine::Mode::Svg, false},
    {"--unused", TCommandLine::Mode::Unused, false},
    {"--find", TCommandLine::Mode::Find, true},
};

struct SelectionWord {
    const char* word;
    unsigned bits;
};

constexpr SelectionWord kSelections[] = {
    {"groups", TSelectionTree::kGroupsAndRecords},
    {"pictures", TSelectionTree::kPictures},
    {"lists", TSelectionTree::kLists},
    {"tables", TSelectionTree::kTablesAndReports},
    {"settings", TSelectionTree::kSettings},
    {"all", TSelectionTree::kAll},
};

bool ParseSelection(const std::string& list, unsigned& bits, std::string& error)
{
    bits = 0;
    std::istringstream words(list);
    std::string word;
    while (std::getline(words, word, ',')) {
        bool known = false;
        for (const SelectionWord& s : kSelections)
            if (word == s.word) {
                bits |= s.bits;
                known = true;
            }
        if (!known) {
            error = "unknown selection \"" + word + "\"";
            return false;
        }
    }
    if (bits == 0) {
        error = "--select needs at least one selection";
        return false;
    }
    return true;
}

// The value of the option at args[i], which moves past it.
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string& error,
               std::string& into)
{
    if (i + 1 >= args.size()) {
        error = args[i] + " needs a value";
        return false;
    }
    into = args[++i];
    return true;
}

// The job option at args[i], with its value when it takes one.
bool TakeJob(const std::vector<std::string>& args, size_t& i, std::string& error, bool& jobGiven,
             TCommandLine& line)
{
    const std::string& arg = args[i];
    const ModeOption* option = nullptr;
    for (const ModeOption& o : kModes)
        if (arg == o.flag)
            option = &o;
    if (!option) {
        error = "unknown option " + arg;
        return false;
    }
    if (jobGiven) {
        error = arg + " cannot be combined with another job";
        return false;
    }
    jobGiven = true;
    line.mode = option->mode;
    return !option->takesArgument || TakeValue(args, i, error, line.argument);
}

} // namespace

const char* TCommandLine::Usage()
{
    return "Usage: stemlook-text [OPTION]... FOLDER\n"
           "Writes what the Kinvault database design in FOLDER holds, as text.\n"
           "Without a job option: the Save As Text document of groups, records and pictures.\n"
           "\n"
           "  --select LIST      the document of these quick selections, comma-separated:\n"
           "                     groups, pictures, lists, tables, settings, or all\n"
           "  --copy TITLE       the text of the element with this title, as Copy gives it\n"
           "  --messages         the messages log of loading FOLDER\n"
           "  --index            the index of names: name, class and owner\n"
           "  --used-by NAME     what uses each element of that name\n"
           "  --pieces TITLE     what each name in that element's script resolved to\n"
           "  --dot              the relationships graph of pictures, laid out, as Graphviz DOT\n"
           "  --svg              the relationships diagram as an SVG picture\n"
           "  --find TEXT        every script line that holds TEXT (letter case ignored):\n"
           "                     title, line number and line\n"
           "  --unused           the pictures, fields, groups, records and choices nothing\n"
           "                     uses: class name and title\n"
           "  -o FILE            write to FILE instead of standard output\n"
           "  --help             show this text\n"
           "  --version          show the version\n";
}

std::optional<TCommandLine> TCommandLine::Parse(const std::vector<std::string>& args,
                                                std::string& error)
{
    TCommandLine line;
    bool modeGiven = false;
    bool selectGiven = false;
    std::vector<std::string> positional;
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
        if (arg == "--help" || arg == "-h" || arg == "--version") {
            TCommandLine info;
            info.mode = arg == "--version" ? Mode::Version : Mode::Help;
            return info;
        }
        if (arg == "-o" || arg == "--output") {
            if (!TakeValue(args, i, error, line.outputFile))
                return std::nullopt;
            continue;
        }
        if (arg == "--select") {
            std::string list;
            if (!TakeValue(args, i, error, list) || !ParseSelection(list, line.selection, error))
                return std::nullopt;
            selectGiven = true;
            continue;
        }
        if (!TakeJob(args, i, error, modeGiven, line))
            return std::nullopt;
    }
    if (selectGiven && line.mode != Mode::Document) {
        error = "--select only applies to the document";
        return std::nullopt;
    }
    if (positional.size() != 1) {
        error = positional.empty() ? "no database folder given" : "more than one folder given";
        return std::nullopt;
    }
    line.folder = positional.front();
    return line;
}
