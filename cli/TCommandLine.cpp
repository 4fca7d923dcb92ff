#include "TCommandLine.h"

#include <getopt.h>
#include <iterator>
#include <set>
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
    {"--diff", TCommandLine::Mode::Diff, false},
    {"--html", TCommandLine::Mode::Html, true},
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

// The codes getopt_long returns beyond the short options' letters; a job's code is kJob plus its
// place in kModes.
enum : int { kSelect = 256, kVersion, kBrief, kName, kJob };

constexpr int kJobCount = static_cast<int>(std::size(kModes));

std::vector<option> LongOptions()
{
    std::vector<option> options = {
        {"select", required_argument, nullptr, kSelect},
        {"output", required_argument, nullptr, 'o'},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, kVersion},
        {"brief", no_argument, nullptr, kBrief},
        {"name", required_argument, nullptr, kName},
    };
    for (int i = 0; i < kJobCount; ++i) {
        const ModeOption& mode = kModes[i];
        options.push_back({mode.flag + 2, mode.takesArgument ? required_argument : no_argument,
                           nullptr, kJob + i});
    }
    options.push_back({nullptr, 0, nullptr, 0});
    return options;
}

} // namespace

const char* TCommandLine::Usage()
{
    return "Usage: stemlook-text [OPTION]... FOLDER\n"
           "  or:  stemlook-text --diff [--brief] [OPTION]... OLD NEW\n"
           "Writes what the Kinvault database design in FOLDER holds, as text. FOLDER (and OLD\n"
           "and NEW) is a database folder or the path of a definition file of any name.\n"
           "Without a job option: the Save As Text document of groups, records and pictures.\n"
           "At most one job option; no option twice.\n"
           "\n"
           "  --select LIST      the document of these quick selections, comma-separated:\n"
           "                     groups, pictures, lists, tables, settings, or all\n"
           "  --copy TITLE       the text of the element with this title, as Copy gives it\n"
           "  --messages         the messages log of loading FOLDER\n"
           "  --index            the index of names: name, class and owner\n"
           "  --used-by NAME     what uses each element of that name\n"
           "  --pieces TITLE     what each name in that element's script resolved to:\n"
           "                     offset, length, kind, flags, text and target\n"
           "  --dot              the relationships graph of pictures, laid out, as Graphviz DOT\n"
           "  --svg              the relationships diagram as an SVG picture\n"
           "  --find TEXT        every script line that holds TEXT (letter case ignored):\n"
           "                     title, line number and line\n"
           "  --unused           the pictures, fields, groups, records and choices nothing\n"
           "                     uses: class name and title\n"
           "  --html OUTDIR      the design as web pages in the folder OUTDIR: made when\n"
           "                     missing, refused when it holds files another program wrote\n"
           "  --diff OLD NEW     what differs between two designs, element by element, as a\n"
           "                     unified diff of their texts (one file per element)\n"
           "  --brief            with --diff: a line per differing element instead, \"changed\",\n"
           "                     \"added\" or \"removed\" and its title\n"
           "  --name NAME        the database name the text uses, instead of the folder's\n"
           "  -o, --output FILE  write to FILE instead of standard output, replacing it only\n"
           "                     when the job succeeds; never FOLDER's control.ged itself\n"
           "  -h, --help         show this text\n"
           "  --version          show the version\n"
           "  --                 end the options: what follows is FOLDER\n"
           "\n"
           "Exit status:\n"
           "  0  done\n"
           "  1  FOLDER holds no control.ged, or it can't be read; no element of the asked-for\n"
           "     name or title; a selection with nothing in it; or output that can't be written\n"
           "  2  bad usage, an output file that is the control.ged being read, or an OUTDIR\n"
           "     that is not empty and was not written by --html\n"
           "  3  an internal error while building the cross-references; the output is still\n"
           "     written\n"
           "With --diff, as diff has it: 0 no differences, 1 some, 2 trouble (a design that\n"
           "can't be read, an internal error, bad usage).\n";
}

std::optional<TCommandLine> TCommandLine::Parse(const std::vector<std::string>& args,
                                                std::string& error)
{
    // getopt_long reorders argv's pointers, never the strings.
    std::vector<std::string> strings{"stemlook-text"};
    strings.insert(strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(strings.size());
    const std::vector<option> options = LongOptions();

    TCommandLine line;
    std::set<int> given; // every option once; the jobs count as one
    optind = 0;          // starts getopt_long afresh, as each call parses a new vector
    opterr = 0;
    while (true) {
        int index = -1;
        const int code = getopt_long(argc, argv.data(), ":ho:", options.data(), &index);
        if (code == -1)
            break;
        const std::string spelled = index >= 0 ? std::string("--") + options[index].name
                                               : std::string("-") + static_cast<char>(code);
        if (code == '?') {
            // optopt holds a letter we don't know; for a long option that is unknown, ambiguous
            // or given a value it does not take it holds 0 or that option's code, and the
            // option is named as written.
            error =
                "unknown option " + (optopt > 0 && optopt < 256 && optopt != 'h' && optopt != 'o'
                                         ? std::string("-") + static_cast<char>(optopt)
                                         : std::string(argv[optind - 1]));
            return std::nullopt;
        }
        if (code == ':') {
            error = std::string(argv[optind - 1]) + " needs a value";
            return std::nullopt;
        }
        if (code == 'h' || code == kVersion) {
            TCommandLine info;
            info.mode = code == kVersion ? Mode::Version : Mode::Help;
            return info;
        }
        const bool job = code >= kJob;
        if (!given.insert(job ? kJob : code).second) {
            const bool again = !job || line.mode == kModes[code - kJob].mode;
            error = spelled + (again ? " given twice" : " cannot be combined with another job");
            return std::nullopt;
        }
        if (job) {
            const ModeOption& mode = kModes[code - kJob];
            line.mode = mode.mode;
            if (mode.takesArgument)
                line.argument = optarg;
        } else if (code == kSelect) {
            if (!ParseSelection(optarg, line.selection, error))
                return std::nullopt;
        } else if (code == kBrief) {
            line.brief = true;
        } else if (code == kName) {
            line.name = optarg;
            if (line.name.empty()) {
                error = spelled + " needs a name";
                return std::nullopt;
            }
        } else {
            line.outputFile = optarg;
            if (line.outputFile.empty()) {
                error = spelled + " needs a file name";
                return std::nullopt;
            }
        }
    }
    if (given.count(kSelect) && line.mode != Mode::Document) {
        error = "--select only applies to the document";
        return std::nullopt;
    }
    if (line.mode == Mode::Html && !line.outputFile.empty()) {
        error = "--output does not apply to --html";
        return std::nullopt;
    }
    if (line.mode == Mode::Html && line.argument.empty()) {
        error = "--html needs a folder";
        return std::nullopt;
    }
    if (line.brief && line.mode != Mode::Diff) {
        error = "--brief only applies to --diff";
        return std::nullopt;
    }
    const int folders = line.mode == Mode::Diff ? 2 : 1;
    if (argc - optind != folders) {
        if (folders == 2)
            error = "--diff needs two designs, OLD and NEW";
        else
            error = optind >= argc ? "no database folder given" : "more than one folder given";
        return std::nullopt;
    }
    line.folder = argv[optind];
    if (folders == 2)
        line.newFolder = argv[optind + 1];
    return line;
}
