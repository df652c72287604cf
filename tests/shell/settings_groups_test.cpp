#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "results/language.h"
#include "shell/filter_settings.h"
#include "shell/layout_settings.h"
#include "shell/main_settings.h"
#include "shell/settings_fixture.h"
#include "shell/viewer_settings.h"

namespace gryvel {
namespace {

using testing::Cp;
using ::testing::ElementsAre;

class SettingsGroupsTest : public testing::SettingsFixture {
 protected:
  ~SettingsGroupsTest() override { SetUILanguage(TUILanguage::NotSet); }
};

TEST_F(SettingsGroupsTest, LanguageIsRussianWhenMissingAndEnglishWhenEmpty) {
  SetIni("[Main]\nShowStatusBar=1\n");
  EXPECT_EQ("RUS", ReadLanguage(settings_));
  SetIni("[Main]\nLanguage=\n");
  EXPECT_EQ("Eng", ReadLanguage(settings_));
  SetIni("[main]\nlanguage=rus\n");
  EXPECT_EQ("rus", ReadLanguage(settings_));  // SetLanguage compares it without case
}

TEST_F(SettingsGroupsTest, MainReadsItsDefaultsAndBringsOddValuesIntoRange) {
  SetIni("[Main]\nRightPanelKind=7\nToolBarLabels=5\nShowRightPanel=0\nLeftWidth=x\n");
  const TMainSettings main = ReadMainSettings(settings_);
  EXPECT_EQ(0, main.RightPanelKind);
  EXPECT_EQ(1, main.ToolBarLabels);
  EXPECT_FALSE(main.ShowRightPanel);
  EXPECT_EQ(266, main.LeftWidth);
  EXPECT_EQ(248, main.RightWidth);
  EXPECT_TRUE(main.LargeToolBarIcons);
  EXPECT_FALSE(main.ShowStandardScroll);
  EXPECT_EQ("/prog", main.InitialDir);
  SetIni("[Main]\nRightPanelKind=1\n");
  EXPECT_EQ(1, ReadMainSettings(settings_).RightPanelKind);
}

TEST_F(SettingsGroupsTest, MainRoundTripsInItsWritingOrder) {
  SetIni("");
  TMainSettings main;
  main.InitialDir = "/home/u/Словари";  // native, UTF-8
  main.ShowStatusBar = false;
  main.ShowStandardScroll = true;
  main.RightWidth = 300;
  main.LeftWidth = 400;
  main.RightPanelKind = 1;
  main.ShowRightPanel = false;
  main.ToolBarLabels = 2;
  main.LargeToolBarIcons = false;
  main.Language = "ENG";
  ASSERT_TRUE(WriteMainSettings(settings_, main).ok());
  EXPECT_EQ(
      "[Main]\nInitialDir=/home/u/Словари\nShowStatusBar=0\nShowStandardScroll=1\n"
      "ShowRightPanel=0\nRightWidth=300\nLeftWidth=400\nRightPanelKind=1\nToolBarLabels=2\n"
      "LargeToolBarIcons=0\nLanguage=ENG\n",
      Ini());
  EXPECT_EQ(Cp("/home/u/Словари"), *TIniStore(Cp(Ini())).Value("Main", "InitialDir"));

  // Whole values, so that a field added later is checked too; the language is read alone.
  TMainSettings read = ReadMainSettings(settings_);
  read.Language = ReadLanguage(settings_);
  EXPECT_EQ(main, read);
}

TEST_F(SettingsGroupsTest, AFileNameTheCodePageCannotHoldIsKeptAsItIs) {
  SetIni("");
  TMainSettings main;
  main.InitialDir = "/home/u/字典";
  ASSERT_TRUE(WriteMainSettings(settings_, main).ok());
  EXPECT_EQ("/home/u/字典", ReadMainSettings(settings_).InitialDir);
}

TEST_F(SettingsGroupsTest, SearchOptionsRoundTripAndTheHistoryCountIsClamped) {
  SetIni("[Search]\nSaveLastCount=-3\n");
  EXPECT_EQ(0, ReadSearchOptions(settings_).SaveLastCount);
  SetIni("[Search]\nSaveLastCount=5000\n");
  EXPECT_EQ(kMaxSaveLastCount, ReadSearchOptions(settings_).SaveLastCount);

  SetIni("[Search]\nResultLimit=0\n");
  EXPECT_EQ(1, ReadSearchOptions(settings_).ResultLimit);
  SetIni("[Search]\n");
  EXPECT_EQ(20'000'000, ReadSearchOptions(settings_).ResultLimit);

  SetIni("");
  ASSERT_TRUE(WriteSearchOptions(settings_, {false, 12, false, true, 5000}).ok());
  EXPECT_EQ(
      "[Search]\nDoSaveLast=0\nSaveLastCount=12\nDoFastSearch=0\nCaseSensetive=1\n"
      "ResultLimit=5000\n",
      Ini());
  const TSearchOptions read = ReadSearchOptions(settings_);
  EXPECT_FALSE(read.DoSaveLast);
  EXPECT_EQ(12, read.SaveLastCount);
  EXPECT_FALSE(read.DoFastSearch);
  EXPECT_TRUE(read.CaseSensitive);
  EXPECT_EQ(5000, read.ResultLimit);
}

TEST_F(SettingsGroupsTest, FilterLengthsAreClampedAndOrdered) {
  struct Case {
    const char* section;
    std::int32_t min, max;
  };
  for (const Case& c :
       {Case{"MinLength=150\nMaxLength=20", 100, 100}, Case{"MinLength=-4\nMaxLength=-9", 0, 0},
        Case{"MinLength=7\nMaxLength=3", 7, 7}, Case{"", 1, 1}}) {
    SetIni(std::string("[Filter]\n") + c.section);
    const TFilterSettings filter = ReadFilterSettings(settings_);
    EXPECT_EQ(c.min, filter.MinLength) << c.section;
    EXPECT_EQ(c.max, filter.MaxLength) << c.section;
  }

  TFilterSettings filter;
  filter.Enable = filter.PatternEnable = true;
  filter.Pattern = Cp("п?бе*л?");
  filter.MinLength = 3;
  filter.MaxLength = 9;
  SetIni("");
  ASSERT_TRUE(WriteFilterSettings(settings_, filter).ok());
  EXPECT_EQ(
      "[Filter]\nEnable=1\nPatternEnable=1\nPattern=п?бе*л?\nLengthEnable=0\nMinLength=3\n"
      "MaxLength=9\n",
      Ini());
  EXPECT_EQ(filter, ReadFilterSettings(settings_));
  EXPECT_THAT(messages_.Texts(), ElementsAre());
}

TEST_F(SettingsGroupsTest, AMaximisedWindowComesBackMaximisedWithItsRestoredBounds) {
  SetIni("");
  ASSERT_TRUE(WriteWindowPosition(settings_, {640, 480, 30, 40, kWindowMaximized}).ok());
  TWindowPosition position;
  ASSERT_TRUE(ReadWindowPosition(settings_, position));
  EXPECT_EQ(640, position.Width);
  EXPECT_EQ(480, position.Height);
  EXPECT_EQ(30, position.Left);
  EXPECT_EQ(40, position.Top);
  EXPECT_EQ(kWindowMaximized, position.State);
  EXPECT_FALSE(position.Centred());
}

TEST_F(SettingsGroupsTest, AWindowWithoutAPlaceIsCentredAndAnOddStateKeepsTheCurrentOne) {
  SetIni("[WindowPos]\nTop=-1\nLeft=10\nState=9\n");
  TWindowPosition position;
  position.State = kWindowMinimized;  // the current state
  ASSERT_TRUE(ReadWindowPosition(settings_, position));
  EXPECT_TRUE(position.Centred());
  EXPECT_EQ(525, position.Width);
  EXPECT_EQ(395, position.Height);
  EXPECT_EQ(kWindowMinimized, position.State);
}

TEST_F(SettingsGroupsTest, ToolbarsKeepTheirCurrentPlaceForMissingKeys) {
  SetIni("[SearchDock]\nDockedTo=\nLeft=70\n[ViewDock]\nDockedTo=0\nVisible=0\n");
  TToolbarPositions toolbars;
  toolbars.Search.Left = 5;
  toolbars.Search.Width = 120;
  toolbars.View.DockedTo = toolbars.View.Visible = false;
  toolbars.View.DockRow = 1;
  ASSERT_TRUE(ReadToolbarPositions(settings_, toolbars));
  EXPECT_TRUE(toolbars.Search.DockedTo);
  EXPECT_EQ(70, toolbars.Search.Left);
  EXPECT_EQ(120, toolbars.Search.Width);
  EXPECT_FALSE(toolbars.View.DockedTo);
  EXPECT_FALSE(toolbars.View.Visible);
  EXPECT_EQ(1, toolbars.View.DockRow);

  toolbars.View = {true, false, 2, 3, 4, 5, 6, 7};
  ASSERT_TRUE(WriteToolbarPositions(settings_, toolbars).ok());
  TToolbarPositions read;
  ASSERT_TRUE(ReadToolbarPositions(settings_, read));
  EXPECT_EQ(70, read.Search.Left);
  EXPECT_EQ(false, read.View.Visible);
  EXPECT_EQ(7, read.View.Height);
  EXPECT_EQ(2, read.View.DockRow);
}

TEST_F(SettingsGroupsTest, ViewerRoundTripsWithItsFontsAndTexture) {
  files_.SetFile("/prog/stone.bmp", {1});
  SetIni("");
  TViewerSettings viewer;
  viewer.Color = -2147483643;  // a system colour
  viewer.Transparency = 51;
  viewer.ShowTexture = false;
  viewer.TextureFileName = "/prog/stone.bmp";
  viewer.Font = {255, 14, Cp("Шрифт"), kFontBold | kFontItalic, 204};
  viewer.POSFont.Size = 7;
  viewer.DescrFont.Name = "Serif";
  ASSERT_TRUE(WriteViewerSettings(settings_, viewer).ok());
  EXPECT_THAT(Ini(), ::testing::StartsWith(
                         "[Viewer]\nColor=-2147483643\nBorder=1\nBorderColor=-2147483630\n"
                         "Transparency=51\nSelectionColor=9681104\nSelectionBorderColor=8421504\n"
                         "ShowDescription=1\nShowPartsOfSpeech=1\nShowTexture=0\nFontColor=255\n"
                         "FontSize=14\nFontName=Шрифт\nFontStyle=3\nFontCharset=204\n"
                         "POSFontColor="));
  EXPECT_THAT(Ini(), ::testing::EndsWith("TextureFileName=/prog/stone.bmp\n"));

  TViewerSettings read;
  ASSERT_TRUE(ReadViewerSettings(settings_, read));
  EXPECT_EQ(viewer.Color, read.Color);
  EXPECT_EQ(51, read.Transparency);
  EXPECT_FALSE(read.ShowTexture);
  EXPECT_EQ("/prog/stone.bmp", read.TextureFileName);
  EXPECT_EQ(Cp("Шрифт"), read.Font.Name);
  EXPECT_EQ(kFontBold | kFontItalic, read.Font.Style);
  EXPECT_EQ(204, read.Font.Charset);
  EXPECT_EQ(7, read.POSFont.Size);
  EXPECT_EQ("Serif", read.DescrFont.Name);
}

TEST_F(SettingsGroupsTest, AMissingTextureIsTheBuiltInOneUnderTheDefaultName) {
  SetIni("[Viewer]\nTextureFileName=/gone.bmp\n");
  TViewerSettings viewer;
  viewer.TextureFileName = "/prog/current.bmp";
  ASSERT_TRUE(ReadViewerSettings(settings_, viewer));
  EXPECT_EQ("", viewer.TextureFileName);

  SetLanguage("RUS");
  ASSERT_TRUE(WriteViewerSettings(settings_, viewer).ok());
  EXPECT_EQ(Cp("Стандартная"), TIniStore(Cp(Ini())).Value("Viewer", "TextureFileName"));
  SetLanguage("ENG");
  ASSERT_TRUE(WriteViewerSettings(settings_, viewer).ok());
  EXPECT_EQ("Default", TIniStore(Cp(Ini())).Value("Viewer", "TextureFileName"));
}

// The list draws the selection with opacity Transparency: more percent, more see-through.
TEST(TransparencyPercentTest, PercentIsHowMuchTheSelectionLetsThrough) {
  const struct {
    std::int32_t Percent;
    std::int32_t Transparency;
  } both_ways[] = {{0, 255}, {12, 224}, {20, 204}, {30, 178}, {50, 127}, {98, 5}};
  for (const auto& c : both_ways) {
    SCOPED_TRACE(c.Percent);
    EXPECT_EQ(c.Transparency, TransparencyFromPercent(c.Percent));
    EXPECT_EQ(c.Percent, TransparencyPercent(c.Transparency));
  }
  EXPECT_EQ(12, TransparencyPercent(223));  // the designed value
  EXPECT_EQ(100, TransparencyPercent(0));
  EXPECT_EQ(3, TransparencyFromPercent(99));
  for (const std::int32_t refused : {-1, 100, 250}) EXPECT_FALSE(TransparencyFromPercent(refused));
}

TEST(FontDescriptionTest, NamesTheStyleInTheInterfaceLanguage) {
  const struct {
    TFontSettings Font;
    const char* English;
    const char* Russian;
  } cases[] = {
      {{0, 8, "Verdana", 0, 1}, "Verdana, 8pt, regular", "Verdana, 8pt, обычный"},
      {{0, 12, "Courier New", kFontBold | kFontItalic, 1}, "Courier New, 12pt, bold italic",
       "Courier New, 12pt, полужирный курсив"},
      {{0, 10, "Verdana", kFontItalic | kFontUnderline | kFontStrikeOut, 1},
       "Verdana, 10pt, italic underlined strikeout",
       "Verdana, 10pt, курсив подчёркнутый зачёркнутый"},
  };
  for (const auto& c : cases) {
    SetLanguage("ENG");
    EXPECT_EQ(c.English, FontDescription(c.Font));
    SetLanguage("RUS");
    EXPECT_EQ(Cp(c.Russian), FontDescription(c.Font));
  }
}

TEST_F(SettingsGroupsTest, ATransparencyOutOfRangeFailsTheViewerGroupWhereItStands) {
  for (const char* transparency : {"256", "-1"}) {
    SetIni(std::string("[Viewer]\nColor=1\nBorder=2\nBorderColor=3\nTransparency=") + transparency +
           "\nSelectionColor=4\nFontSize=30\n");
    TViewerSettings viewer;
    EXPECT_FALSE(ReadViewerSettings(settings_, viewer));
    EXPECT_EQ(3, viewer.BorderColor);  // read before the failure
    EXPECT_EQ(223, viewer.Transparency);
    EXPECT_EQ(TViewerSettings().SelectionColor, viewer.SelectionColor);
    EXPECT_EQ(12, viewer.Font.Size);
  }
  EXPECT_THAT(messages_.Texts(), ElementsAre(Cp("Ошибка при чтении параметров (код 002)"),
                                             Cp("Ошибка при чтении параметров (код 002)")));
}

}  // namespace
}  // namespace gryvel

namespace gryvel {
namespace {

TEST(PlaceOnScreens, AWindowComesBackOntoAScreenAndFitsIt) {
  // Room for the frame: 16 pixels across, 48 down.
  const std::vector<TScreenArea> two = {{0, 0, 1920, 1050}, {1920, 0, 1280, 1000}};
  struct Case {
    const char* name;
    TWindowPosition saved;
    TWindowPosition placed;
  };
  const Case cases[] = {
      {"on the first screen", {525, 395, 538, 322}, {525, 395, 538, 322}},
      {"title bar on the second", {525, 395, 3000, 980}, {525, 395, 3000, 980}},
      {"partly off its screen, not too large", {525, 395, 1800, 900}, {525, 395, 1800, 900}},
      {"far left", {525, 395, -99999, 300}, {525, 395, 0, 300}},
      {"unplugged monitor on the right", {525, 395, 3500, 200},
       {525, 395, 1920 + 1280 - 525 - 16, 200}},
      {"below every screen", {525, 395, 100, 5000}, {525, 395, 100, 1050 - 395 - 48}},
      {"above: only the bottom shows", {525, 395, 100, -390}, {525, 395, 100, 0}},
      {"larger than the screen, off it", {3000, 2000, -5000, -5000}, {1904, 1002, 0, 0}},
      {"too wide only", {2500, 395, 100, 100}, {1904, 395, 0, 100}},
      {"too tall on the second screen", {525, 1200, 2000, 50}, {525, 952, 2000, 0}},
      {"centred stays centred", {525, 395, -1, -1}, {525, 395, -1, -1}},
  };
  for (const Case& c : cases) {
    const TWindowPosition placed = PlaceOnScreens(c.saved, two);
    EXPECT_EQ(c.placed, placed) << c.name << ": " << placed.Width << " x " << placed.Height
                                << " at " << placed.Left << ", " << placed.Top;
  }
  // Saved on a 1920 x 1080 screen at 100 %, reopened at 200 %: 960 x 540 logical pixels.
  EXPECT_EQ((TWindowPosition{944, 492, 0, 0}),
            PlaceOnScreens({1904, 1428, 8, 30}, {{0, 0, 960, 540}}));
  EXPECT_EQ(-99999, PlaceOnScreens({525, 395, -99999, 0}, {}).Left);  // no screens known
}

}  // namespace
}  // namespace gryvel
