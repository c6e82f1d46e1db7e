// HTML exports: an exact page of the plain and of the table type with its style sheet,
// grouped captions and escaping of user data.
#include "export/HtmlExport.h"

#include <gtest/gtest.h>

#include <string>

#include "export/ExportTestUtil.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

constexpr std::string_view kHead = "<HTmL><HEAD><TITLE>my mp3 list</TITLE>";
constexpr std::string_view kTable = "<CENTER><TABLE CELLSPACING=\"0\" CELLPADDING=\"2\" BORDER=\"1\">";
std::string Plain(ExportFixture& fixture) {
  MemorySink sink;
  EXPECT_TRUE(ExportPlainHtml(fixture.Job(), sink).ok());
  return sink.Bytes;
}

std::string Table(ExportFixture& fixture, TableCaption caption = {}) {
  MemorySink sink;
  EXPECT_TRUE(ExportHtmlTable(fixture.Job(), caption, sink).ok());
  return sink.Bytes;
}

// The page between the list tag and the end: what one list's rows look like.
std::string AfterTag(const std::string& page) {
  std::size_t tag = page.find("<OrdONNAtaG");
  if (tag == std::string::npos) tag = page.find("<oRdONNATAG");
  return tag == std::string::npos ? page : page.substr(tag + 40);
}

TEST(PlainHtml, PageWithOneLinePerEntryAndFileTagsInside) {
  TempDir dir;
  WriteFileBytes(dir.File("head.html"), "<html><body>\n<h1>Mine</h1>\n");
  WriteFileBytes(dir.File("foot.html"), "</body></html>");
  ExportFixture fixture;
  fixture.Add(FullEntry());
  fixture.Add(SparseEntry());
  MainOptions& m = fixture.options.Main;
  m.InfoTime = m.UseBgColor = m.UseTextColor = m.HeaderFromFile = m.FooterFromFile = 1;
  m.TableBgColor = 0x00563412, m.TableTextColor = 0x00F0F0F0, m.TableFontStyle = 7;  // bold, italic, underline
  m.HtmlHeaderFile.Set(dir.File("head.html")), m.HtmlFooterFile.Set(dir.File("foot.html"));
  const std::string body =
      "<html><body>\r\n<h1>Mine</h1>\r\n<oRdONNATAG LABEL=\"S0T0000000000063110\">"
      "<NOBR>Artist - Title, 3:45</NOBR><BR><NOBR>Band -Song, ??:??"
      "<oRdONNATAG LABEL=\"ENd\"></body></html>\r\n</FONT></BODY></HTmL>";
  EXPECT_EQ(Plain(fixture), std::string(kHead) + "</HEAD><BODY>" + body)
      << "without the styled page neither style sheet nor background";
}

TEST(HtmlExports, EachMarkupCharacterOnItsOwnIsEscaped) {
  // A text is escaped only when it needs it: each special character must make it so by itself.
  const std::pair<std::string, std::string> specials[] = {
      {"&", "&amp;"}, {"\"", "&quot;"}, {"<", "&lt;"}, {">", "&gt;"}, {std::string(1, '\0'), "&nbsp;"}};
  for (const auto& [special, entity] : specials) {
    ExportFixture fixture;
    fixture.options.Main.InfoPath = fixture.options.Main.InfoVolumeLabel = 1;
    fixture.Add(FullEntry("a" + special, "/m" + special, "L" + special));
    EXPECT_EQ(AfterTag(Plain(fixture)),
              "<NOBR>a" + entity + ", /m" + entity + ", L" + entity + "<oRdONNATAG LABEL=\"ENd\"></FONT></BODY></HTmL>")
        << entity;
    const std::string table = AfterTag(Table(fixture));
    for (const std::string cell : {"a", "/m", "L"}) {
      EXPECT_NE(table.find("<NOBR>&nbsp;" + cell + entity + "&nbsp;</NOBR>"), std::string::npos) << table;
    }
  }
}

TEST(StyleBlock, FontNamesCannotInjectMarkup) {
  EXPECT_EQ(SafeFontName("DejaVu Sans_1.2-b \xE3\x82\xB4"), "DejaVu Sans_1.2-b \xE3\x82\xB4");
  MainOptions options = PlainOptions().Main;
  options.TableFontName.Set("Courier New';}</STYLE><script>");
  options.CaptionFontName.Set("\"><b>Arial");
  const std::string block = StyleBlock(options, true, CaptionKind::Grouped);
  EXPECT_NE(block.find("font-family:'Courier NewSTYLEscript';"), std::string::npos) << block;
  EXPECT_NE(block.find("font-family:'bArial';"), std::string::npos) << block;
}

TEST(HtmlTable, ColumnsEnumeratedSplitAndCentredUnderATypedCaption) {
  ExportFixture fixture;
  MainOptions& m = fixture.options.Main;
  m.InfoKbps = m.InfoVolumeLabel = m.Enumerate = m.SplitArtistTitle = m.CenterArtistTitle = m.UseBgColor = 1;
  m.TableBgColor = 0x00563412, m.CellSpacing = 3, m.CellPadding = 4, m.Border = 0;
  fixture.Add(FullEntry());
  const std::string page = Table(fixture, {CaptionKind::Typed, "a & b \"c\"  x"});
  EXPECT_EQ(page.substr(0, page.find("<CENTER>")),
            std::string(kHead) +
                "<STYLE TYPE=\"text/css\"><!--\r\ntable\r\n{\r\nfont-style:normal;\r\nfont-family:'Courier New';\r\n"
                "font-size:10pt;\r\n}\r\nem\r\n{\r\nfont-style:normal;\r\nfont-weight:bold;\r\nfont-family:'Arial';\r\n"
                "font-size:9pt;\r\n}\r\n--></STYLE></HEAD><BODY><OrdONNAtaG LABEL=\"sE0B000000V0S063110\">");
  EXPECT_EQ(AfterTag(page),
            "<CENTER><TABLE CELLSPACING=\"3\" CELLPADDING=\"4\" BORDER=\"0\" BGCOLOR=#123456>"
            "<Tr><tD CoLsPaN=5 ALign=CENTER ordcsp=2><NOBR><em>a &amp; b &quot;c&quot; &nbsp;x</em></NObR></tD></tR>"
            "<TR><TD ALign=LEFT><B>No.</B></TD><TD ALign=CENTER><B>artist</B></TD><TD ALign=CENTER><B>title</B></TD>"
            "<TD ALign=LEFT><B>kbps</B></TD><TD ALign=LEFT><NOBR><B>volume label</B></NOBR></TD></tR>"
            "<TR><TD ALIGN=RIGHT><NOBR>&nbsp;1.</NOBR></TD><TD ALIGN=CENTER><NOBR>&nbsp;Artist&nbsp;</NOBR></TD>"
            "<TD ALIGN=CENTER><NOBR>&nbsp;Title&nbsp;</NOBR></TD><TD ALIGN=CENTER><NOBR>&nbsp; 128 &nbsp;</NOBR></TD>"
            "<TD ALIGN=LEFT><NOBR>&nbsp;DISK1&nbsp;</NOBR></TD></TR></TaBLE></CENTER></BODY></HTmL>");
}

TEST(HtmlTable, GroupedCaptionsOpenATablePerFolder) {
  ExportFixture fixture;
  for (const auto& [name, folder] : {std::pair{"a1", "/m/A"}, {"a2", "/m/a"}, {"b1", "/m/<B>"}}) {
    fixture.Add(FullEntry(name, folder));
  }
  const std::string title = "<TR><TD ALign=LEFT><B>filename</B></TD></tR>", end = "</TaBLE></CENTER></BODY></HTmL>";
  auto row = [](const std::string& name) {
    return "<TR><TD ALIGN=LEFT><NOBR>&nbsp;" + name + "&nbsp;</NOBR></TD></TR>";
  };
  auto caption = [](const std::string& text) {
    return "<Tr><tD CoLsPaN=1 ALign=CENTER ordcsp=7><NOBR><em>" + text + "</em></NObR></tD></tR>";
  };
  fixture.list.SortState = 7 + 128;  // by path, descending
  EXPECT_EQ(AfterTag(Table(fixture, {CaptionKind::Grouped, {}})),
            std::string(kTable) + caption("/m/A") + title + row("a1") + row("a2") + "</TaBLE></CENTER><BR>" +
                std::string(kTable) + caption("/m/&lt;B&gt;") + title + row("b1") + end);
}

}  // namespace
}  // namespace ordonna
