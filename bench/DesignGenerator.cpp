#include "DesignGenerator.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

// Fixed proportions of the parts the size does not set directly.
constexpr int kWordsPerChoice = 8;
constexpr int kRecordsPerChoice = 4;
constexpr int kLinkSpan = 64;
constexpr int kTableColumns = 16;
constexpr int kReportWidth = 78;
constexpr int kReportHeight = 40;
constexpr int kReportAreas = 50;

// The first pictures of "person" carry the names the program itself relies on.
constexpr std::array<std::string_view, 10> kPersonPictures = {
    "BORN",   "child",     "htmDates", "htmName",  "marked",
    "parent", "detailbox", "GEDCOM",   "validate", "list"};

constexpr std::array<std::string_view, 5> kListMethods = {"index", "fill", "anctree", "desctree",
                                                          "lines"};

using Lines = std::vector<std::string>;

// Counts and name widths derived once from the size. Every design has one group per record
// and one choice per four records, so that fields of group and choice types occur throughout.
struct Shape {
    int records = 1;
    int fields = 0;
    int pictures = 0;
    int lines = 1;
    int lists = 0;
    int tables = 0;
    int reports = 0;
    int groups = 1;
    int choices = 1;
    int groupFields = 3;
    int groupPictures = 0;
    int recordWidth = 1;
    int choiceWidth = 1;
    int fieldWidth = 1;
    int pictureWidth = 1;
    int groupFieldWidth = 1;
    int groupPictureWidth = 1;
    // Field indices by kind; the same pattern in every record (and every group), except that
    // the last record (group) has no higher one to link to.
    std::vector<int> texts, dates, links, groupLinks, choiceFields, groupTexts, groupDates,
        groupLinksOfGroups, groupChoices;
};

std::uint64_t Mix(std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0)
{
    std::uint64_t x = a * 0x9E3779B97F4A7C15ULL ^
                      (b + 0x632BE59BD9B4E019ULL) * 0xBF58476D1CE4E5B9ULL ^
                      (c + 0x94D049BB133111EBULL) * 0xD6E8FEB86659FD93ULL;
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

int Pick(std::uint64_t seed, int count)
{
    return static_cast<int>(seed % static_cast<std::uint64_t>(count));
}

int WidthFor(int count)
{
    int width = 1;
    for (std::uint64_t room = 26; room < static_cast<std::uint64_t>(count); room *= 26) {
        ++width;
    }
    return width;
}

// Names hold letters only: a digit would end a name in a script.
std::string Letters(std::uint64_t n, int width)
{
    std::string text(static_cast<std::size_t>(width), 'a');
    for (int i = width - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = static_cast<char>('a' + n % 26);
        n /= 26;
    }
    return text;
}

enum class FieldKind { Text, Date, LongText, Record, Group, Choice };

// Field k has the same kind in every record, so that a script can name a field of the record
// a link leads to without knowing that record's layout.
FieldKind RecordFieldKind(int k)
{
    switch (k % 10) {
    case 1:
    case 8:
        return FieldKind::Date;
    case 2:
    case 7:
        return FieldKind::Record;
    case 4:
        return FieldKind::Group;
    case 5:
        return FieldKind::LongText;
    case 6:
        return FieldKind::Choice;
    default:
        return FieldKind::Text;
    }
}

FieldKind GroupFieldKind(int k)
{
    switch (k % 5) {
    case 1:
        return FieldKind::Date;
    case 2:
        return FieldKind::Choice;
    case 3:
        return FieldKind::Group;
    default:
        return FieldKind::Text;
    }
}

Shape MakeShape(const TDesignSize& size)
{
    Shape s;
    s.records = std::max(1, size.records);
    s.fields = std::max(0, size.fieldsPerRecord);
    s.pictures = std::max(0, size.picturesPerRecord);
    s.lines = std::max(1, size.scriptLinesPerPicture);
    s.lists = std::max(0, size.lists);
    s.tables = std::max(0, size.tables);
    s.reports = std::max(0, size.reports);
    s.groups = s.records;
    s.choices = std::max(1, s.records / kRecordsPerChoice);
    s.groupFields = std::max(3, s.fields / 2);
    s.groupPictures = s.pictures > 0 ? std::max(1, s.pictures * 3 / 10) : 0;
    s.recordWidth = WidthFor(s.records);
    s.choiceWidth = WidthFor(s.choices);
    s.fieldWidth = WidthFor(s.fields);
    s.pictureWidth = WidthFor(s.pictures);
    s.groupFieldWidth = WidthFor(s.groupFields);
    s.groupPictureWidth = WidthFor(s.groupPictures);
    for (int k = 0; k < s.fields; ++k) {
        switch (RecordFieldKind(k)) {
        case FieldKind::Text:
            s.texts.push_back(k);
            break;
        case FieldKind::Date:
            s.dates.push_back(k);
            break;
        case FieldKind::Record:
            s.links.push_back(k);
            break;
        case FieldKind::Group:
            s.groupLinks.push_back(k);
            break;
        case FieldKind::Choice:
            s.choiceFields.push_back(k);
            break;
        case FieldKind::LongText:
            break;
        }
    }
    for (int k = 0; k < s.groupFields; ++k) {
        switch (GroupFieldKind(k)) {
        case FieldKind::Date:
            s.groupDates.push_back(k);
            break;
        case FieldKind::Choice:
            s.groupChoices.push_back(k);
            break;
        case FieldKind::Group:
            s.groupLinksOfGroups.push_back(k);
            break;
        default:
            s.groupTexts.push_back(k);
        }
    }
    return s;
}

bool HasHigher(const Shape& s, int r)
{
    return r + 1 < s.records;
}

std::string RecordName(const Shape& s, int r)
{
    return r == 0 ? std::string("person") : "rec" + Letters(r, s.recordWidth);
}

std::string GroupName(const Shape& s, int g)
{
    return "grp" + Letters(g, s.recordWidth);
}

std::string ChoiceName(const Shape& s, int c)
{
    return "cho" + Letters(c, s.choiceWidth);
}

std::string WordName(const Shape& s, int c, int j)
{
    return "w" + Letters(c, s.choiceWidth) + Letters(j, 1);
}

// The first half of the field names recur in every record, as "name" or "date" do in real
// designs; the rest are the record's own.
std::string FieldName(const Shape& s, int r, int k)
{
    if (k < (s.fields + 1) / 2) {
        return "fld" + Letters(k, s.fieldWidth);
    }
    return "fx" + Letters(r, s.recordWidth) + Letters(k, s.fieldWidth);
}

std::string PictureName(const Shape& s, int r, int k)
{
    if (r == 0 && k < static_cast<int>(kPersonPictures.size())) {
        return std::string(kPersonPictures[static_cast<std::size_t>(k)]);
    }
    return "pic" + Letters(k, s.pictureWidth);
}

std::string GroupFieldName(const Shape& s, int k)
{
    return "gf" + Letters(k, s.groupFieldWidth);
}

std::string GroupPictureName(const Shape& s, int k)
{
    return "gp" + Letters(k, s.groupPictureWidth);
}

std::string ChoicePictureName(const Shape& s, int c)
{
    return "cp" + Letters(c, s.choiceWidth);
}

std::string PlanName(const Shape& s, int r)
{
    if (r == 0) {
        return "lineup";
    }
    if (r == 1) {
        return "linedown";
    }
    return "pp" + Letters(r, s.recordWidth);
}

std::string GedcomTag(std::string_view name)
{
    std::string tag = "_";
    for (char c : name.substr(0, 18)) {
        tag += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return tag;
}

// Link fields only lead to records with a higher index, which keeps picture calls acyclic.
int LinkTarget(const Shape& s, int r, int k)
{
    int span = std::min(kLinkSpan, s.records - r - 1);
    return r + 1 + Pick(Mix(r, k, 1), span);
}

int FieldGroup(const Shape& s, int r, int k)
{
    return Pick(Mix(r, k, 2), s.groups);
}

int FieldChoice(const Shape& s, int r, int k)
{
    return Pick(Mix(r, k, 3), s.choices);
}

bool GroupHasHigher(const Shape& s, int g)
{
    return g + 1 < s.groups;
}

int GroupLinkTarget(const Shape& s, int g, int k)
{
    int span = std::min(kLinkSpan, s.groups - g - 1);
    return g + 1 + Pick(Mix(g, k, 4), span);
}

int GroupFieldChoice(const Shape& s, int g, int k)
{
    return Pick(Mix(g, k, 5), s.choices);
}

int Of(const std::vector<int>& v, std::uint64_t seed)
{
    return v[static_cast<std::size_t>(seed % v.size())];
}

void Line(std::string& out, int level, std::string_view xref, std::string_view tag,
          std::string_view value)
{
    out += static_cast<char>('0' + level);
    out += ' ';
    if (!xref.empty()) {
        out += '@';
        out += xref;
        out += "@ ";
    }
    out += tag;
    if (!value.empty()) {
        out += ' ';
        out += value;
    }
    out += '\n';
}

void Line(std::string& out, int level, std::string_view tag, std::string_view value = {})
{
    Line(out, level, {}, tag, value);
}

void Script(std::string& out, int level, std::string_view xref, std::string_view tag,
            const Lines& lines)
{
    Line(out, level, xref, tag, lines.empty() ? std::string_view() : lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        Line(out, level + 1, "CONT", lines[i]);
    }
}

// Variables and aliases resolve in every scope; the fallback line of every script kind.
std::string VariableLine(std::uint64_t seed)
{
    switch (seed % 4) {
    case 0:
        return "if generation > 2 then \"gen \" generation end";
    case 1:
        return "\"child \" childnumber \" of \" marriagenumber";
    case 2:
        return "if showrins then \"RIN \" #rin end";
    default:
        return "if today after 1 jan 2000 then treeref end";
    }
}

// One or two lines of a script read in the scope of record r.
void RecordLine(const Shape& s, int r, std::uint64_t seed, std::size_t room, Lines& lines)
{
    const bool links = HasHigher(s, r) && !s.links.empty();
    const bool texts = !s.texts.empty();
    const bool dates = !s.dates.empty();
    auto text = [&](std::uint64_t salt) { return FieldName(s, r, Of(s.texts, Mix(seed, salt))); };
    auto date = [&](std::uint64_t salt) { return FieldName(s, r, Of(s.dates, Mix(seed, salt))); };
    const int link = links ? Of(s.links, Mix(seed, 11)) : 0;
    const int target = links ? LinkTarget(s, r, link) : 0;
    const std::string linkName = links ? FieldName(s, r, link) : std::string();
    auto targetPicture = [&](int t, std::uint64_t salt) {
        return PictureName(s, t, Pick(Mix(seed, salt), s.pictures));
    };
    switch (seed % 19) {
    case 0:
        if (texts) {
            lines.push_back(text(1) + " " + text(2));
            return;
        }
        break;
    case 1:
        if (dates) {
            std::string d = date(1);
            lines.push_back("if " + d + " present then \"b. \" " + d + " end");
            return;
        }
        break;
    case 2:
        if (dates) {
            lines.push_back("if " + date(1) + " before 1 jan 1900 then \"early\" end");
            return;
        }
        break;
    case 3:
        if (dates && texts && room > 1) {
            lines.push_back("if " + date(1) + " between 1 mar 1800 and 31 dec 1850");
            lines.push_back("then " + text(2) + " end");
            return;
        }
        break;
    case 4:
        if (links && texts) {
            lines.push_back(linkName + "." + FieldName(s, target, Of(s.texts, Mix(seed, 2))));
            return;
        }
        break;
    case 5:
    case 6:
        if (links && s.pictures > 0) {
            int other = Of(s.links, Mix(seed, 12));
            lines.push_back(
                targetPicture(target, 3) + "(" + linkName + ") \" and \" " +
                PictureName(s, LinkTarget(s, r, other), Pick(Mix(seed, 4), s.pictures)) + "(" +
                FieldName(s, r, other) + ")");
            return;
        }
        break;
    case 7:
        if (links && s.pictures > 0 && HasHigher(s, target)) {
            int next = Of(s.links, Mix(seed, 5));
            lines.push_back(targetPicture(LinkTarget(s, target, next), 6) + "(" + linkName + "." +
                            FieldName(s, target, next) + ")");
            return;
        }
        break;
    case 8:
        if (!s.groupLinks.empty()) {
            int k = Of(s.groupLinks, Mix(seed, 7));
            lines.push_back(FieldName(s, r, k) + "." +
                            GroupFieldName(s, Of(s.groupTexts, Mix(seed, 8))));
            return;
        }
        break;
    case 9:
        if (!s.groupLinks.empty() && s.groupPictures > 0) {
            int k = Of(s.groupLinks, Mix(seed, 7));
            lines.push_back(GroupPictureName(s, Pick(Mix(seed, 8), s.groupPictures)) + "(" +
                            FieldName(s, r, k) + ")");
            return;
        }
        break;
    case 10:
        if (!s.choiceFields.empty()) {
            int k = Of(s.choiceFields, Mix(seed, 7));
            lines.push_back("if " + FieldName(s, r, k) + " = " +
                            WordName(s, FieldChoice(s, r, k), Pick(Mix(seed, 8), kWordsPerChoice)) +
                            " then \"yes\" else \"no\" end");
            return;
        }
        break;
    case 11:
        if (texts && room > 1) {
            lines.push_back("\"a note that runs on");
            lines.push_back("over a line end\" " + text(1));
            return;
        }
        break;
    case 12:
        if (texts) {
            lines.push_back("/* check /* nested */ later */ " + text(1));
            return;
        }
        break;
    case 13:
        // A record name alone on its line uses the record's first picture; without record
        // pictures that would be a column or area picture, which may lead back here.
        if (links && s.pictures > 0) {
            lines.push_back(linkName);
            return;
        }
        break;
    case 14:
        if (texts) {
            lines.push_back("#rin $ [" + text(1) + "] | " + text(2));
            return;
        }
        break;
    case 15:
        if (texts) {
            lines.push_back("mother." + FieldName(s, 0, Of(s.texts, Mix(seed, 1))) + " \" and \" " +
                            "father." + FieldName(s, 0, Of(s.texts, Mix(seed, 2))));
            return;
        }
        break;
    case 16:
        if (texts && room > 1) {
            lines.push_back("if " + text(1) + " like \"Smi\" or " + text(2) + " contains \"son\"");
            lines.push_back("then " + text(1) + " end");
            return;
        }
        break;
    case 17:
        if (texts) {
            std::string t = text(1);
            lines.push_back("if not " + t + " absent then " + t + " else \"none\" end");
            return;
        }
        break;
    default:
        break;
    }
    lines.push_back(VariableLine(seed >> 8));
}

// Group scripts call pictures of higher groups only.
void GroupLine(const Shape& s, int g, std::uint64_t seed, Lines& lines)
{
    auto text = [&](std::uint64_t salt) {
        return GroupFieldName(s, Of(s.groupTexts, Mix(seed, salt)));
    };
    const bool links = GroupHasHigher(s, g) && !s.groupLinksOfGroups.empty();
    switch (seed % 7) {
    case 0:
        lines.push_back(text(1) + " " + text(2));
        return;
    case 1:
        if (!s.groupDates.empty()) {
            std::string d = GroupFieldName(s, Of(s.groupDates, Mix(seed, 1)));
            lines.push_back("if " + d + " after 1 jan 1700 then " + d + " end");
            return;
        }
        break;
    case 2:
        if (links) {
            lines.push_back(GroupFieldName(s, Of(s.groupLinksOfGroups, Mix(seed, 1))) + "." +
                            text(2));
            return;
        }
        break;
    case 3:
    case 4:
        if (links && s.groupPictures > 0) {
            lines.push_back(GroupPictureName(s, Pick(Mix(seed, 2), s.groupPictures)) + "(" +
                            GroupFieldName(s, Of(s.groupLinksOfGroups, Mix(seed, 1))) + ")");
            return;
        }
        break;
    case 5:
        if (!s.groupChoices.empty()) {
            int k = Of(s.groupChoices, Mix(seed, 1));
            lines.push_back(
                "if " + GroupFieldName(s, k) + " = " +
                WordName(s, GroupFieldChoice(s, g, k), Pick(Mix(seed, 2), kWordsPerChoice)) +
                " then " + text(3) + " end");
            return;
        }
        break;
    default:
        lines.push_back("/* shown /* when */ filled */ " + text(1));
        return;
    }
    lines.push_back(VariableLine(seed >> 8));
}

// Plan pictures and chart pictures have no record of their own: names resolve through
// "person" and the variables.
void PersonLine(const Shape& s, std::uint64_t seed, Lines& lines)
{
    const bool texts = !s.texts.empty();
    switch (seed % 6) {
    case 0:
        if (s.pictures > 0) {
            lines.push_back(PictureName(s, 0, Pick(Mix(seed, 1), s.pictures)) +
                            "(descendant) \" gen \" generation");
            return;
        }
        break;
    case 1:
        if (texts) {
            lines.push_back("descendant." + FieldName(s, 0, Of(s.texts, Mix(seed, 1))));
            return;
        }
        break;
    case 2:
        if (texts) {
            lines.push_back("spouse." + FieldName(s, 0, Of(s.texts, Mix(seed, 1))) + " \" m. \" " +
                            "marriagenumber");
            return;
        }
        break;
    case 3:
        if (texts) {
            lines.push_back("mother." + FieldName(s, 0, Of(s.texts, Mix(seed, 1))) + " | father." +
                            FieldName(s, 0, Of(s.texts, Mix(seed, 2))));
            return;
        }
        break;
    case 4:
        lines.push_back("treeref strip");
        return;
    default:
        break;
    }
    lines.push_back(VariableLine(seed >> 8));
}

Lines RecordScript(const Shape& s, int r, std::uint64_t seed, int count)
{
    Lines lines;
    for (std::uint64_t i = 0; static_cast<int>(lines.size()) < count; ++i) {
        RecordLine(s, r, Mix(seed, i), static_cast<std::size_t>(count) - lines.size(), lines);
    }
    return lines;
}

Lines GroupScript(const Shape& s, int g, std::uint64_t seed, int count)
{
    Lines lines;
    for (std::uint64_t i = 0; static_cast<int>(lines.size()) < count; ++i) {
        GroupLine(s, g, Mix(seed, i), lines);
    }
    return lines;
}

Lines PersonScript(const Shape& s, std::uint64_t seed, int count)
{
    Lines lines;
    for (std::uint64_t i = 0; static_cast<int>(lines.size()) < count; ++i) {
        PersonLine(s, Mix(seed, i), lines);
    }
    return lines;
}

// Edit panels lay out fields; they hold names and qualifier chains only.
Lines PanelScript(const Shape& s, int r, int count)
{
    Lines lines;
    for (int i = 0; i < count; ++i) {
        std::uint64_t seed = Mix(r, i, 6);
        if (s.fields == 0) {
            lines.push_back("rin generation");
        } else if (i % 3 == 2 && !s.groupLinks.empty()) {
            lines.push_back(FieldName(s, r, Of(s.groupLinks, seed)) + "." +
                            GroupFieldName(s, Of(s.groupTexts, seed >> 8)));
        } else {
            lines.push_back(FieldName(s, r, Pick(seed, s.fields)) + " " +
                            FieldName(s, r, Pick(seed >> 8, s.fields)));
        }
    }
    return lines;
}

void WriteChoices(const Shape& s, std::string& out)
{
    for (int c = 0; c < s.choices; ++c) {
        Line(out, 0, ChoiceName(s, c), "CHOICE", {});
        for (int j = 0; j < kWordsPerChoice; ++j) {
            Line(out, 1, "WORD", WordName(s, c, j));
        }
        Lines lines;
        for (int j = 0; j + 1 < kWordsPerChoice && static_cast<int>(lines.size()) < 4; j += 2) {
            lines.push_back("if " + WordName(s, c, j) + " then \"one\" else " +
                            WordName(s, c, j + 1) + " end");
        }
        Script(out, 1, ChoicePictureName(s, c), "PICTURE", lines);
    }
}

void WriteGroups(const Shape& s, std::string& out)
{
    for (int g = 0; g < s.groups; ++g) {
        Line(out, 0, GroupName(s, g), "GROUP", {});
        for (int k = 0; k < s.groupFields; ++k) {
            std::string type = "text";
            switch (GroupFieldKind(k)) {
            case FieldKind::Date:
                type = "date";
                break;
            case FieldKind::Choice:
                type = ChoiceName(s, GroupFieldChoice(s, g, k));
                break;
            case FieldKind::Group:
                if (GroupHasHigher(s, g)) {
                    type = GroupName(s, GroupLinkTarget(s, g, k));
                }
                break;
            default:
                break;
            }
            std::string name = GroupFieldName(s, k);
            Line(out, 1, name, "FIELD", type);
            Line(out, 2, "TAG", GedcomTag(name));
        }
        for (int k = 0; k < s.groupPictures; ++k) {
            Script(out, 1, GroupPictureName(s, k), "PICTURE",
                   GroupScript(s, g, Mix(g, k, 7), s.lines));
        }
    }
}

void WriteRecords(const Shape& s, std::string& out)
{
    for (int r = 0; r < s.records; ++r) {
        Line(out, 0, RecordName(s, r), "RECORD", {});
        Line(out, 1, "CACHE", std::to_string(100 + r % 400));
        for (int k = 0; k < s.fields; ++k) {
            std::string type = "text";
            switch (RecordFieldKind(k)) {
            case FieldKind::Date:
                type = "date";
                break;
            case FieldKind::LongText:
                type = "longtext";
                break;
            case FieldKind::Record:
                if (HasHigher(s, r)) {
                    type = RecordName(s, LinkTarget(s, r, k));
                }
                break;
            case FieldKind::Group:
                type = GroupName(s, FieldGroup(s, r, k));
                break;
            case FieldKind::Choice:
                type = ChoiceName(s, FieldChoice(s, r, k));
                break;
            case FieldKind::Text:
                break;
            }
            std::string name = FieldName(s, r, k);
            Line(out, 1, name, "FIELD", type);
            Line(out, 2, "TAG", GedcomTag(name));
        }
        for (int k = 0; k < s.pictures; ++k) {
            Script(out, 1, PictureName(s, r, k), "PICTURE",
                   RecordScript(s, r, Mix(r, k, 8), s.lines));
        }
        Script(out, 1, "ep" + Letters(r, s.recordWidth), "EDITPANEL", PanelScript(s, r, s.lines));
        Script(out, 1, PlanName(s, r), "PLANPIC", PersonScript(s, Mix(r, 9), s.lines));
    }
}

void WriteLists(const Shape& s, std::string& out)
{
    for (int i = 0; i < s.lists; ++i) {
        const int method = i % static_cast<int>(kListMethods.size());
        const int r = Pick(Mix(i, 10), s.records);
        Line(out, 0, "LIST");
        Line(out, 1, "METHOD", kListMethods[static_cast<std::size_t>(method)]);
        if (method == 2 || method == 3 || method == 4) {
            Line(out, 1, "REFERENCE", PlanName(s, r));
            Line(out, 1, "PIN", std::to_string(1 + i));
            Line(out, 1, "BASE", std::to_string(1 + i % 3));
            Line(out, 1, "GENERATIONS", std::to_string(3 + i % 5));
            if (method == 2) {
                Line(out, 1, "ANCESTOR", "1");
            }
        }
        if (method != 2 && method != 3) {
            Line(out, 1, "TYPE", RecordName(s, r));
        }
        Line(out, 1, "SIZE", std::to_string(10 + (i * 37) % 990));
        if (s.fields > 0) {
            Line(out, 1, "KEY");
            Line(out, 2, "EXPRESSION", FieldName(s, r, Pick(Mix(i, 11), s.fields)));
            Line(out, 2, "DIRECTION", "ascending");
            Line(out, 1, "KEY");
            Line(out, 2, "EXPRESSION", FieldName(s, r, Pick(Mix(i, 12), s.fields)));
            Line(out, 2, "DIRECTION", "descending");
        }
        if (method != 2 && method != 3) {
            Script(out, 1, {}, "FILTER", RecordScript(s, r, Mix(i, 13), std::max(1, s.lines / 2)));
        }
    }
}

void WritePrintInfo(std::string& out, int seed)
{
    Line(out, 1, "PRINTINFO",
         std::to_string(80 + (seed % 2) * 52) + " 66 " + std::to_string(seed % 6) + " " +
             std::to_string(seed % 4) + " 2 2 1 2 0 " + std::to_string(seed % 2));
}

void WriteTables(const Shape& s, std::string& out)
{
    static constexpr std::array<std::string_view, 3> kJustification = {"left", "right", "centre"};
    for (int t = 0; t < s.tables; ++t) {
        const int r = Pick(Mix(t, 14), s.records);
        Line(out, 0, "tab" + Letters(t, WidthFor(s.tables)), "TABLE", {});
        Line(out, 1, "TYPE", RecordName(s, r));
        Line(out, 1, "TITLE", "Table " + std::to_string(t + 1) + " of " + RecordName(s, r));
        Line(out, 1, "TITLE", "Synthetic columns for measuring");
        for (int c = 0; c < kTableColumns; ++c) {
            Line(out, 1, "COLUMN");
            Line(out, 2, "TITLE", "Column " + std::to_string(c + 1));
            Line(out, 2, "WIDTH", std::to_string(8 + (c * 5) % 20));
            Line(out, 2, "JUSTIFICATION", kJustification[static_cast<std::size_t>(c) % 3]);
            Script(out, 2, {}, "PICTURE",
                   RecordScript(s, r, Mix(t, c, 15), std::max(1, s.lines / 2)));
        }
        WritePrintInfo(out, t);
    }
}

// Two columns of areas, with a label for each in the background. The areas fit the page.
void WriteReports(const Shape& s, std::string& out)
{
    constexpr int kLeft = 12;
    constexpr int kRight = 48;
    constexpr int kAreaWidth = 28;
    static_assert(kRight + kAreaWidth <= kReportWidth + 2);
    static_assert(kReportAreas / 2 + 2 <= kReportHeight);
    for (int t = 0; t < s.reports; ++t) {
        const int r = Pick(Mix(t, 16), s.records);
        Line(out, 0, "rep" + Letters(t, WidthFor(s.reports)), "REPORT", {});
        Line(out, 1, "TYPE", RecordName(s, r));
        Line(out, 1, "TITLE", "Sheet " + std::to_string(t + 1) + " of " + RecordName(s, r));
        Line(out, 1, "WIDTH", std::to_string(kReportWidth));
        Line(out, 1, "HEIGHT", std::to_string(kReportHeight));
        const std::string rule = "+" + std::string(kReportWidth - 2, '-') + "+";
        for (int y = 0; y < kReportHeight; ++y) {
            if (y == 0 || y == kReportHeight - 1) {
                Line(out, 1, "BACKGROUND", rule);
                continue;
            }
            std::string row = "|" + std::string(kReportWidth - 2, ' ') + "|";
            if (y - 1 < kReportAreas / 2) {
                std::string label = "Item " + std::to_string(2 * (y - 1) + 1) + ":";
                row.replace(2, label.size(), label);
                label = "Item " + std::to_string(2 * (y - 1) + 2) + ":";
                row.replace(kRight - 10, label.size(), label);
            }
            Line(out, 1, "BACKGROUND", row);
        }
        for (int a = 0; a < kReportAreas; ++a) {
            Line(out, 1, "AREA");
            Line(out, 2, "X", std::to_string(a % 2 == 0 ? kLeft : kRight));
            Line(out, 2, "Y", std::to_string(1 + a / 2));
            Line(out, 2, "WIDTH", std::to_string(kAreaWidth));
            Line(out, 2, "HEIGHT", "1");
            Script(out, 2, {}, "PICTURE",
                   RecordScript(s, r, Mix(t, a, 17), std::max(1, s.lines / 2)));
        }
        WritePrintInfo(out, t);
    }
}

void WriteCharts(const Shape& s, std::string& out)
{
    static constexpr std::array<std::string_view, 3> kCharts = {"ACHART", "DCHART", "TREE"};
    static constexpr std::array<std::string_view, 3> kPictures = {"BRIEF", "NORMAL", "DETAILED"};
    for (std::size_t c = 0; c < kCharts.size(); ++c) {
        Line(out, 0, kCharts[c]);
        for (std::size_t p = 0; p < kPictures.size(); ++p) {
            Script(out, 1, {}, kPictures[p],
                   PersonScript(s, Mix(c, p, 18), std::max(1, s.lines / 2)));
        }
        WritePrintInfo(out, static_cast<int>(c));
    }
}

void WriteOptions(std::string& out)
{
    Line(out, 0, "DATEFORMAT", "0");
    Line(out, 0, "DATEPREFIX", "bef abt aft");
    Line(out, 0, "LINES", "Y");
    Line(out, 0, "PRINTER", "LaserJet");
    Line(out, 0, "SHOWRINS", "N");
    Line(out, 0, "TRUNC", "126");
}

} // namespace

std::string GenerateDesign(const TDesignSize& size)
{
    const Shape s = MakeShape(size);
    std::string out;
    Line(out, 0, "VERSION", "1");
    WriteChoices(s, out);
    WriteGroups(s, out);
    WriteRecords(s, out);
    WriteLists(s, out);
    WriteTables(s, out);
    WriteReports(s, out);
    WriteCharts(s, out);
    WriteOptions(out);
    Line(out, 0, "TRLR");
    return out;
}

std::string ChangedPictures(const std::string& design, int every)
{
    std::string changed;
    changed.reserve(design.size() + design.size() / 100);
    int pictures = 0;
    size_t start = 0;
    while (start < design.size()) {
        const size_t end = std::min(design.find('\n', start), design.size());
        const std::string_view line(design.data() + start, end - start);
        changed += line;
        if (line.find(" PICTURE ") != std::string_view::npos && ++pictures % every == 0)
            changed += " \"changed\"";
        changed += '\n';
        start = end + 1;
    }
    return changed;
}
