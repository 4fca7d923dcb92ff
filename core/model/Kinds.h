#pragma once

// Kind codes of elements: the tag code of the line that introduced an element, plus three codes
// of built-in elements. The codes show in log lines and class names, so they never change.
namespace kinds {
constexpr int AncestorChart = 2;
constexpr int Choice = 9;
constexpr int DescendantChart = 14;
constexpr int EditPanel = 18;
constexpr int Field = 21;
constexpr int Filter = 22;
constexpr int Group = 24;
constexpr int List = 28;
constexpr int Picture = 32;
constexpr int PlanPicture = 34;
constexpr int PrintSettings = 36;
constexpr int Record = 37;
constexpr int Report = 39;
constexpr int Options = 40;
constexpr int Table = 42;
constexpr int TreeChart = 45;
constexpr int Word = 49;
constexpr int Alias = 52;
constexpr int Variable = 53;
constexpr int BuiltIn = 54;

constexpr bool IsPictureKind(int kind)
{
    return kind == EditPanel || kind == Filter || kind == Picture || kind == PlanPicture;
}
// What a field, alias or variable can be based on, and so what scopes a script's names.
constexpr bool IsGroupOrRecord(int kind)
{
    return kind == Group || kind == Record;
}
constexpr bool IsChart(int kind)
{
    return kind == AncestorChart || kind == DescendantChart || kind == TreeChart;
}
} // namespace kinds

// Tag codes the readers act on, besides those that introduce elements.
namespace tags {
constexpr int Ignored = 1;
constexpr int Ancestor = 3;
constexpr int Area = 4;
constexpr int Background = 5;
constexpr int Base = 6;
constexpr int Brief = 7;
constexpr int Cache = 8;
constexpr int Column = 10;
constexpr int Cont = 11;
constexpr int DateFormat = 12;
constexpr int DatePrefix = 13;
constexpr int Detailed = 16;
constexpr int Direction = 17;
constexpr int Trailer = 19;
constexpr int Expression = 20;
constexpr int Generations = 23;
constexpr int Height = 25;
constexpr int Justification = 26;
constexpr int Key = 27;
constexpr int Lines = 29;
constexpr int Method = 30;
constexpr int Normal = 31;
constexpr int Pin = 33;
constexpr int Printer = 35;
constexpr int Reference = 38;
constexpr int ShowRins = 40;
constexpr int Size = 41;
constexpr int Tag = 43;
constexpr int Title = 44;
constexpr int Trunc = 46;
constexpr int Type = 47;
constexpr int Width = 48;
constexpr int X = 50;
constexpr int Y = 51;
} // namespace tags
