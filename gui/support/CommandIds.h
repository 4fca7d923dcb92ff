#pragma once

// The numeric identifiers of the main menu's commands and the help contexts. Help topics refer
// to them, so they never change.
namespace commands {
constexpr int Open = 24332;
constexpr int SaveAs = 24334;
constexpr int Preferences = 109;
constexpr int Exit = 24310;
constexpr int Copy = 24323;
constexpr int Definition = 113;
constexpr int Index = 112;
constexpr int Messages = 115;
constexpr int Relationships = 114;
constexpr int Structure = 110;
constexpr int UsedBy = 111;
constexpr int Cascade = 24361;
constexpr int Tile = 24362;
constexpr int ArrangeIcons = 24364;
constexpr int CloseAll = 24365;
constexpr int HelpTopics = 120;
// The zoom steps 100% to 20% are FirstZoom to FirstZoom + 4.
constexpr int FirstZoom = 130;
constexpr int ExportDiagram = 24340;
constexpr int About = 121;
constexpr int Filter = 140;
constexpr int FindInScripts = 141;
constexpr int Back = 142;
constexpr int Forward = 143;
constexpr int FocusedDiagram = 144;
constexpr int UnusedElements = 145;
constexpr int CompareWith = 146;
constexpr int NextDifference = 147;
constexpr int PreviousDifference = 148;
constexpr int Print = 149;
constexpr int PrintPreview = 150;
constexpr int ExportPdf = 151;
constexpr int ExportWebPages = 155;
constexpr int Reload = 160;
constexpr int ReloadWhenChanged = 161;
constexpr int ReopenLastDesign = 162;
constexpr int ThemeSystem = 170;
constexpr int ThemeLight = 171;
constexpr int ThemeDark = 172;
constexpr int LargerText = 173;
constexpr int SmallerText = 174;
constexpr int NormalText = 175;
constexpr int QuickOpen = 180;
// Recent folder n (0 the most recent) is FirstRecent + n.
constexpr int FirstRecent = 31990;
} // namespace commands

namespace helpids {
constexpr int Open = 100;
constexpr int SaveAs = 101;
constexpr int Exit = 102;
constexpr int Preferences = 103;
constexpr int Copy = 110;
constexpr int Definition = 120;
constexpr int Index = 121;
constexpr int Messages = 122;
constexpr int Relationships = 123;
constexpr int Structure = 124;
constexpr int UsedBy = 125;
constexpr int FieldsPane = 130;
constexpr int PicturePane = 131;
constexpr int ListPane = 132;
constexpr int ChoicePane = 133;
constexpr int TablePane = 134;
constexpr int ReportPane = 135;
constexpr int PrintSettingsPane = 136;
constexpr int StructureWindow = 137;
constexpr int UsedByWindow = 138;
constexpr int IndexWindow = 139;
constexpr int MessagesWindow = 140;
constexpr int RelationshipsWindow = 141;
constexpr int OptionsPane = 143;
constexpr int SaveAsDialog = 150;
constexpr int FolderChooser = 151;
constexpr int Colours = 152;
constexpr int BuiltInValue = 160;
constexpr int BuiltInType = 161;
constexpr int PictureScriptElement = 162;
constexpr int Filter = 170;
constexpr int FindInScripts = 171;
constexpr int BackForward = 172;
constexpr int FocusedDiagram = 173;
constexpr int UnusedElements = 174;
constexpr int CompareWith = 175;
constexpr int DifferencesWindow = 176;
constexpr int Print = 177;
constexpr int ExportWebPages = 185;
constexpr int Reload = 190;
constexpr int Session = 191;
constexpr int Theme = 195;
constexpr int TextSize = 196;
constexpr int Hover = 197;
constexpr int QuickOpen = 200;
} // namespace helpids
