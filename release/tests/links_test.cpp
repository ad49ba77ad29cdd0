#include "release/links.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "release/build_date.h"

namespace tessavel {
namespace {

const Text kLink = "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe";
const Text kZhong = "\xD6\xD0";  // one double-byte character

// One text and what each extractor should read out of it.
struct LinkCase {
  const char* what;
  Text text;
  Text version;
  Text date;
  Text language;
};

void ExpectExtracted(const LinkCase& c) {
  SCOPED_TRACE(c.what);
  EXPECT_EQ(ExtractVersion(c.text), c.version) << "version of " << c.text.substr(0, 200);
  EXPECT_EQ(ExtractDateFolder(c.text), c.date) << "date of " << c.text.substr(0, 200);
  EXPECT_EQ(ExtractLanguage(c.text), c.language) << "language of " << c.text.substr(0, 200);
}

TEST(LinksTest, HostConstants) {
  EXPECT_EQ(VendorDownloadHost, "files.mcneel.com");
  EXPECT_EQ(MicrosoftDownloadHost, "download.microsoft.com");
}

TEST(LinksTest, ExtractFromLinks) {
  const std::vector<LinkCase> cases = {
      {"typical link", kLink, "6.17.19190.13001", "20190709", "en-us"},
      {"other scheme and host",
       "ftp://mirror.example.org/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe",
       "6.17.19190.13001", "20190709", "en-us"},
      {"path only", "/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe", "6.17.19190.13001",
       "20190709", "en-us"},
      {"capitals keep their case",
       "HTTP://FILES.MCNEEL.COM/DUJOUR/EXE/20190709/RHINO_EN-US_6.17.19190.13001.EXE",
       "6.17.19190.13001", "20190709", "EN-US"},
      {"mixed case language", "rhino_zh-CN_7.0.20060.00001.exe", "7.0.20060.00001", "", "zh-CN"},
      {"half-typed link: no version yet", "http://files.mcneel.com/dujour/exe/20190709/rhino_de-de_6.1",
       "", "20190709", "de-de"},
      {"half-typed link: no date folder closed yet", "http://files.mcneel.com/dujour/exe/2019070", "",
       "", ""},
      {"empty text", "", "", "", ""},
      {"date folder of seven characters", "/dujour/exe/2019079/rhino_en-us_6.17.19190.13001.exe",
       "6.17.19190.13001", "", "en-us"},
      {"date folder of nine characters", "/dujour/exe/201907091/rhino_en-us_6.17.19190.13001.exe",
       "6.17.19190.13001", "", "en-us"},
      {"date folder with bars: brackets are sets of single characters",
       "/dujour/exe/2019|7|9/rhino_en-us_6.17.19190.13001.exe", "6.17.19190.13001", "2019|7|9",
       "en-us"},
      {"fifth and seventh characters are any character",
       "/dujour/exe/201907a9/rhino_en-us_6.17.19190.13001.exe", "6.17.19190.13001", "201907a9",
       "en-us"},
      {"sixth character must be a digit or a bar",
       "/dujour/exe/20190a09/rhino_en-us_6.17.19190.13001.exe", "6.17.19190.13001", "", "en-us"},
      {"eighth character must be a digit or a bar",
       "/dujour/exe/2019070a/rhino_en-us_6.17.19190.13001.exe", "6.17.19190.13001", "", "en-us"},
      {"first four must be digits", "/dujour/exe/a0190709/rhino_en-us_6.17.19190.13001.exe",
       "6.17.19190.13001", "", "en-us"},
      {"a double-byte character is one of the eight",
       "/dujour/exe/2019" + kZhong + "709/rhino_en-us_6.17.19190.13001.exe", "6.17.19190.13001",
       "2019" + kZhong + "709", "en-us"},
      {"date folder needs both slashes", "20190709/rhino_en-us_6.17.19190.13001.exe",
       "6.17.19190.13001", "", "en-us"},
      {"error date folder is not a date folder",
       "http://files.mcneel.com/dujour/exe/error\xA3\xA1/rhino_en-us_6.17.191901.13001.exe",
       "6.17.191901.13001", "", "en-us"},
      {"two of each: the first counts",
       "/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe "
       "/dujour/exe/20200229/rhino_de-de_7.0.20060.00001.exe",
       "6.17.19190.13001", "20190709", "en-us"},
      {"language needs underscores both sides", "rhino_en-us.exe rhino-en-us_", "", "", ""},
      {"language letters only", "rhino_e1-us_ rhino_en_us_", "", "", ""},
      {"language pack file name", "rhino_de-de_languagepack_6.17.19190.13001.msi",
       "6.17.19190.13001", "", "de-de"},
      {"version with a double-byte character after the major",
       "rhino_en-us_6" + kZhong + ".17.19190.13001.exe", "6" + kZhong + ".17.19190.13001", "",
       "en-us"},
      {"lead byte at the end", kLink + "\xB0", "6.17.19190.13001", "20190709", "en-us"},
      {"lone lead byte before a digit, which cannot be its trail byte",
       "rhino_en-us_\xB0" "6.17.19190.13001.exe", "6.17.19190.13001", "", "en-us"},
      {"lead byte swallowing the underscore is a character, no language",
       "rhino\xB0_en-us_6.17.19190.13001.exe", "6.17.19190.13001", "", ""},
      {"double-byte text before and after", kZhong + kZhong + kLink + kZhong, "6.17.19190.13001",
       "20190709", "en-us"},
      {"link on the second line", "see:\r\n" + kLink + "\r\n", "6.17.19190.13001", "20190709",
       "en-us"},
  };
  for (const LinkCase& c : cases) ExpectExtracted(c);
}

TEST(LinksTest, ExtractFromSeveralMegabytesWithTheLinkAtTheEnd) {
  Text prose;
  while (prose.size() < 2u * 1024 * 1024) prose += "the offline installer of release six, build of July; ";
  ExpectExtracted({"2 MB of prose then link", prose + kLink, "6.17.19190.13001", "20190709", "en-us"});
}

TEST(LinksTest, ExtractAfterManyNearMisses) {
  // Near misses for all three patterns: short dotted numbers, a four-digit
  // folder, a language code one letter short.
  Text filler;
  while (filler.size() < 256u * 1024) filler += "1.2.3.4 /2019/ _en-u_ 12345.6789 ";
  ExpectExtracted({"near misses alone", filler, "", "", ""});
  ExpectExtracted({"near misses then link", filler + kLink, "6.17.19190.13001", "20190709", "en-us"});
}

TEST(LinksTest, ExtractFromTextFullOfLeadBytes) {
  Text chinese;
  for (int i = 0; i < 64 * 1024; ++i) chinese += kZhong;
  ExpectExtracted({"double-byte characters alone", chinese, "", "", ""});
  ExpectExtracted({"double-byte characters then link", chinese + kLink, "6.17.19190.13001",
                   "20190709", "en-us"});
  ExpectExtracted({"link between double-byte characters", chinese + kLink + chinese,
                   "6.17.19190.13001", "20190709", "en-us"});
  // A run of 0xFF bytes, none of which forms a character in code page 936,
  // and one more at the very end.
  Text lone(64 * 1024, '\xFF');
  ExpectExtracted({"lone lead bytes then link", lone + " " + kLink + "\xFF", "6.17.19190.13001",
                   "20190709", "en-us"});
}

TEST(LinksTest, CountOccurrences) {
  struct CountCase {
    const char* what;
    Text text;
    Text sub;
    std::optional<bool> caseSensitive;
    int expected;
  };
  const std::vector<CountCase> cases = {
      {"two hyphens", "a--b", "-", std::nullopt, 2},
      {"language code", "en-us", "-", std::nullopt, 1},
      {"none", "english", "-", std::nullopt, 0},
      {"never overlapping", "aaaa", "aa", std::nullopt, 2},
      {"never overlapping, odd", "aaaaa", "aa", std::nullopt, 2},
      {"empty text", "", "-", std::nullopt, 0},
      {"empty sub", "abc", "", std::nullopt, 0},
      {"both empty", "", "", std::nullopt, 0},
      {"sub longer than text", "a", "ab", std::nullopt, 0},
      {"case ignored when left out", "ABab", "a", std::nullopt, 2},
      {"case ignored when false", "ABab", "a", false, 2},
      {"case counts when true", "ABab", "a", true, 1},
      {"case counts when true, capitals", "ABab", "AB", true, 1},
      {"whole text", "en-us", "EN-US", std::nullopt, 1},
      {"no occurrence starts on a trail byte", "\xB0" "a" "\xB0" "a", "a", std::nullopt, 0},
      {"double-byte characters counted whole", "\xB0" "a" "\xB0" "a", "\xB0" "a", std::nullopt, 2},
      {"hyphen between double-byte characters", kZhong + "-" + kZhong, "-", std::nullopt, 1},
      {"lead byte at the end", "a-\xB0", "-", std::nullopt, 1},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CountOccurrences(c.text, c.sub, c.caseSensitive), c.expected);
  }
  EXPECT_EQ(CountOccurrences("a-b-c", "-"), 2) << "caseSensitive left out";
  Text many;
  for (int i = 0; i < 100000; ++i) many += "x-";
  EXPECT_EQ(CountOccurrences(many, "-"), 100000);
}

TEST(LinksTest, ComposeInstallerLink) {
  struct ComposeCase {
    const char* what;
    Text date;
    Text language;
    Text version;
    Text expected;
  };
  const std::vector<ComposeCase> cases = {
      {"typical", "20190709", "en-us", "6.17.19190.13001", kLink},
      {"empty date and version", "", "en-us", "", "http://files.mcneel.com/dujour/exe//rhino_en-us_.exe"},
      {"all empty", "", "", "", "http://files.mcneel.com/dujour/exe//rhino__.exe"},
      {"error date stands unchanged", "error\xA3\xA1", "en-us", "6.17.191901.13001",
       "http://files.mcneel.com/dujour/exe/error\xA3\xA1/rhino_en-us_6.17.191901.13001.exe"},
      {"nothing escaped", "2019 07 09", "zh" + kZhong, "a/b?c",
       "http://files.mcneel.com/dujour/exe/2019 07 09/rhino_zh" + kZhong + "_a/b?c.exe"},
  };
  for (const ComposeCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Text link = ComposeInstallerLink(c.date, c.language, c.version);
    EXPECT_EQ(link, c.expected);
    EXPECT_EQ(link.find('\n'), Text::npos) << "no line end";
  }
}

// A composed link reads back into the parts it was made of.
TEST(LinksTest, ComposedLinkReadsBack) {
  for (const char* version : {"6.17.19190.13001", "7.0.20366.00001", "8.12.24060.12345"}) {
    SCOPED_TRACE(version);
    const Text date = BuildDateFromVersion(version);
    const Text link = ComposeInstallerLink(date, "zh-tw", version);
    EXPECT_EQ(ExtractVersion(link), version);
    EXPECT_EQ(ExtractDateFolder(link), date);
    EXPECT_EQ(ExtractLanguage(link), "zh-tw");
  }
}

}  // namespace
}  // namespace tessavel
