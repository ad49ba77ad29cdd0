#include "deploy/placement.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/paths.h"
#include "core/tests/test_folder.h"

namespace tessavel {
namespace {

using testing::TestFolder;
using testing::Tree;
using testing::TreeEntry;

// Code page 936: 億 is 0x83 0x7C (second byte "|"), 乗 is 0x81 0x5C (second
// byte "\").
#define YI "\x83\x7C"
#define JO "\x81\x5C"

// The real runtime installers are not at hand; fixture files with these
// contents stand in for them, in the production table's order and targets.
const char kDotNet[] = "dotnet fixture";
const char kVc2005[] = "vc2005 fixture";
const char kVc2010[] = "vc2010 fixture";
const char kVc2013[] = "vc2013 fixture";
const char kVc2015[] = "vc2015 fixture";
constexpr DigestRow kFixtureRuntimes[] = {
    {"DCF312A560915BAD6F56EF6DAB17D07D", "redist\\dotNetFx45_Full_x86_x64.exe"},
    {"3DF111E94ACE8160886F930350D87787", "redist\\vc2005_redist_x64.exe"},
    {"6CFE6905B50E50B4813714A0C51F2D9F", "redist\\vc2010_redist_x64.exe"},
    {"8D03CC21D20BEB4FC6F8C46723EE70B4", "redist\\vc2013_redist_x64.exe"},
    {"C1C74E11B301D22A49CBF61701F46CE4", "redist\\vc2015_redist_x64.exe"},
};

const char kMain[] = "rhino_en-us_6.17.19190.13001.exe";
const char kPack[] = "rhino_de-de_languagepack_6.17.19190.13001.msi";

// One entry of a fixture: a file with its content, or a folder (null content).
struct FixtureEntry {
  Text name;
  const char* content;
};

struct PlacementCase {
  const char* description;
  std::vector<FixtureEntry> before;
  Text dropped;
  std::vector<std::pair<Text, Text>> moves;  // expected: the dropped entry's new name
  std::vector<Text> madeFolders;             // expected: folders made
  int contentReads;                          // expected: 0 or 1
};

bool MakeFixture(const TestFolder& folder, const std::vector<FixtureEntry>& entries) {
  for (const FixtureEntry& e : entries) {
    if (!(e.content != nullptr ? folder.WriteFile(e.name, e.content) : folder.MakeFolder(e.name)))
      return false;
  }
  return true;
}

// The tree after moving the entry from (with all it holds) to to and making
// the folders; everything else must stay exactly as it was.
Tree Expected(Tree tree, const std::vector<std::pair<Text, Text>>& moves,
              const std::vector<Text>& madeFolders) {
  for (const auto& [from, to] : moves) {
    Tree moved;
    for (auto it = tree.begin(); it != tree.end();) {
      if (it->first == from || it->first.rfind(from + "\\", 0) == 0) {
        moved[to + it->first.substr(from.size())] = it->second;
        it = tree.erase(it);
      } else {
        ++it;
      }
    }
    tree.merge(moved);
  }
  for (const Text& name : madeFolders) tree[name] = TreeEntry{true, {}};
  return tree;
}

const PlacementCase kCases[] = {
    {"main installer becomes Bootstrapper.exe, no redist", {{kMain, "main"}}, kMain,
     {{kMain, "Bootstrapper.exe"}}, {}, 0},
    {"main installer in capitals", {{"RHINO_EN-US_6.17.19190.13001.EXE", "main"}},
     "RHINO_EN-US_6.17.19190.13001.EXE",
     {{"RHINO_EN-US_6.17.19190.13001.EXE", "Bootstrapper.exe"}}, {}, 0},
    {"main-installer pattern inside a longer name",
     {{"old_rhino_en-us_6.17.19190.13001.exe.bak", "main"}},
     "old_rhino_en-us_6.17.19190.13001.exe.bak",
     {{"old_rhino_en-us_6.17.19190.13001.exe.bak", "Bootstrapper.exe"}}, {}, 0},
    {"browser copy suffix is no main installer",
     {{"rhino_en-us_6.17.19190.13001 (1).exe", "main"}}, "rhino_en-us_6.17.19190.13001 (1).exe",
     {}, {"redist"}, 1},
    {"extra character after the revision is no main installer",
     {{"rhino_en-us_6.17.19190.13001x.exe", "main"}}, "rhino_en-us_6.17.19190.13001x.exe", {},
     {"redist"}, 1},
    {"main installer kept when Bootstrapper.exe exists",
     {{kMain, "new"}, {"Bootstrapper.exe", "old"}}, kMain, {}, {}, 0},
    {"folder named like a main installer is renamed like one",
     {{kMain, nullptr}, {TextConcat(kMain, "\\inside.txt"), "inside"}}, kMain,
     {{kMain, "Bootstrapper.exe"}}, {}, 0},
    {"main installer in a folder whose name ends in a trail byte 0x5C",
     {{JO, nullptr}, {TextConcat(JO "\\", kMain), "main"}}, TextConcat(JO "\\", kMain),
     {{TextConcat(JO "\\", kMain), JO "\\Bootstrapper.exe"}}, {}, 0},

    {"language pack goes to redist\\de-de", {{kPack, "pack"}}, kPack,
     {{kPack, "redist\\de-de\\LanguagePack.msi"}}, {"redist", "redist\\de-de"}, 0},
    {"language pack with one character after the revision",
     {{"rhino_zh-cn_languagepack_6.17.19190.13001x.msi", "pack"}},
     "rhino_zh-cn_languagepack_6.17.19190.13001x.msi",
     {{"rhino_zh-cn_languagepack_6.17.19190.13001x.msi", "redist\\zh-cn\\LanguagePack.msi"}},
     {"redist", "redist\\zh-cn"}, 0},
    {"browser copy suffix is no language pack",
     {{"rhino_zh-cn_languagepack_6.17.19190.13001 (1).msi", "pack"}},
     "rhino_zh-cn_languagepack_6.17.19190.13001 (1).msi", {}, {"redist"}, 1},
    {"language folder named as the code stands in the name",
     {{"Rhino_DE-DE_LanguagePack_6.17.19190.13001.MSI", "pack"}},
     "Rhino_DE-DE_LanguagePack_6.17.19190.13001.MSI",
     {{"Rhino_DE-DE_LanguagePack_6.17.19190.13001.MSI", "redist\\DE-DE\\LanguagePack.msi"}},
     {"redist", "redist\\DE-DE"}, 0},
    {"language pack beside an existing redist", {{"redist", nullptr}, {kPack, "pack"}}, kPack,
     {{kPack, "redist\\de-de\\LanguagePack.msi"}}, {"redist\\de-de"}, 0},
    {"language pack recognised by name even with a runtime's content", {{kPack, kVc2010}}, kPack,
     {{kPack, "redist\\de-de\\LanguagePack.msi"}}, {"redist", "redist\\de-de"}, 0},
    {"language pack with a double-byte character before the pattern",
     {{TextConcat(YI, kPack), "pack"}}, TextConcat(YI, kPack),
     {{TextConcat(YI, kPack), "redist\\de-de\\LanguagePack.msi"}}, {"redist", "redist\\de-de"},
     0},
    {"second copy of a language pack stays",
     {{"redist", nullptr},
      {"redist\\de-de", nullptr},
      {"redist\\de-de\\LanguagePack.msi", "first"},
      {kPack, "second"}},
     kPack, {}, {}, 0},
    {"folder named like a language pack is moved like one",
     {{kPack, nullptr}, {TextConcat(kPack, "\\inside.txt"), "inside"}}, kPack,
     {{kPack, "redist\\de-de\\LanguagePack.msi"}}, {"redist", "redist\\de-de"}, 0},
    {"language pack stays when redist is a file", {{"redist", "a file"}, {kPack, "pack"}}, kPack,
     {}, {}, 0},

    {"runtime row 1 by content", {{"a.bin", kDotNet}}, "a.bin",
     {{"a.bin", "redist\\dotNetFx45_Full_x86_x64.exe"}}, {"redist"}, 1},
    {"runtime row 2 by content, name with trail byte 0x7C", {{YI ".exe", kVc2005}}, YI ".exe",
     {{YI ".exe", "redist\\vc2005_redist_x64.exe"}}, {"redist"}, 1},
    {"runtime row 3 by content, whatever its name", {{"download (3).exe", kVc2010}},
     "download (3).exe", {{"download (3).exe", "redist\\vc2010_redist_x64.exe"}}, {"redist"}, 1},
    {"runtime row 4 by content", {{"x", kVc2013}}, "x", {{"x", "redist\\vc2013_redist_x64.exe"}},
     {"redist"}, 1},
    {"runtime row 5 by content", {{"y.tmp", kVc2015}}, "y.tmp",
     {{"y.tmp", "redist\\vc2015_redist_x64.exe"}}, {"redist"}, 1},
    {"runtime dropped from redist goes to redist\\redist",
     {{"redist", nullptr}, {"redist\\vc.exe", kVc2010}}, "redist\\vc.exe",
     {{"redist\\vc.exe", "redist\\redist\\vc2010_redist_x64.exe"}}, {"redist\\redist"}, 1},
    {"second copy of a runtime stays",
     {{"redist", nullptr}, {"redist\\vc2010_redist_x64.exe", kVc2010}, {"copy.exe", kVc2010}},
     "copy.exe", {}, {}, 1},
    {"runtime stays when redist is a file", {{"redist", "a file"}, {"vc.exe", kVc2010}},
     "vc.exe", {}, {}, 1},
    {"unrelated file stays, redist is made", {{"notes.txt", "hello"}}, "notes.txt", {},
     {"redist"}, 1},
    {"empty file stays", {{"empty.exe", ""}}, "empty.exe", {}, {"redist"}, 1},
    {"unrelated folder stays", {{"stuff", nullptr}, {"stuff\\a.bin", kVc2010}}, "stuff", {},
     {"redist"}, 1},
    {"missing file: only redist is made", {}, "gone.exe", {}, {"redist"}, 1},
};

TEST(PlaceDroppedFile, PlacesRecognisedFilesAndLosesNothing) {
  for (const PlacementCase& c : kCases) {
    SCOPED_TRACE(c.description);
    TestFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    ASSERT_TRUE(MakeFixture(folder, c.before));
    const Tree before = folder.Snapshot();
    int reads = 0;
    PlacementSetup setup;
    setup.digests = kFixtureRuntimes;
    setup.contentHashed = [&reads](const Text&) { ++reads; };
    PlaceDroppedFile(folder.PathOf(c.dropped), setup);
    EXPECT_EQ(folder.Snapshot(), Expected(before, c.moves, c.madeFolders));
    EXPECT_EQ(reads, c.contentReads);
  }
}

TEST(PlaceDroppedFile, FileHeldOpenForWritingIsNotRecognisedWhereTheSystemCanTell) {
  TestFolder folder;
  ASSERT_TRUE(folder.WriteFile("vc.exe", kVc2010));
  const Tree before = folder.Snapshot();
  {
    const testing::WriterHold writer(folder, "vc.exe");
    ASSERT_TRUE(writer.Held());
    PlacementSetup setup;
    setup.digests = kFixtureRuntimes;
    PlaceDroppedFile(folder.PathOf("vc.exe"), setup);
  }
  // Linux has no share modes: there the file is read and placed.
  EXPECT_EQ(folder.Snapshot(),
            testing::ReadDeniedWhileWriting()
                ? Expected(before, {}, {"redist"})
                : Expected(before, {{"vc.exe", "redist\\vc2010_redist_x64.exe"}}, {"redist"}));
}

struct VanishCase {
  const char* description;
  Text dropped;
  const char* content;
  std::vector<Text> madeFolders;
};

TEST(PlaceDroppedFile, FileThatVanishesBeforeTheMoveLeavesNoTrace) {
  const VanishCase cases[] = {
      {"main installer", kMain, "main", {}},
      {"language pack", kPack, "pack", {"redist", "redist\\de-de"}},
      {"runtime", "vc.exe", kVc2010, {"redist"}},
  };
  for (const VanishCase& c : cases) {
    SCOPED_TRACE(c.description);
    TestFolder folder;
    ASSERT_TRUE(folder.WriteFile("other.txt", "other"));
    const Tree before = folder.Snapshot();
    ASSERT_TRUE(folder.WriteFile(c.dropped, c.content));
    int moves = 0;
    PlacementSetup setup;
    setup.digests = kFixtureRuntimes;
    setup.beforeMove = [&] {
      ++moves;
      folder.Remove(c.dropped);  // another program deletes it
    };
    PlaceDroppedFile(folder.PathOf(c.dropped), setup);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(folder.Snapshot(), Expected(before, {}, c.madeFolders));
  }
}

TEST(PlaceDroppedFile, FolderWithoutWriteRightKeepsEverything) {
  struct Case {
    const char* description;
    Text lockedFolder;  // "" is the package folder itself
    std::vector<FixtureEntry> before;
    Text dropped;
  } const cases[] = {
      {"main installer", "", {{kMain, "main"}}, kMain},
      {"language pack, no redist can be made", "", {{kPack, "pack"}}, kPack},
      {"language pack, redist locked", "redist", {{"redist", nullptr}, {kPack, "pack"}}, kPack},
      {"runtime, redist locked", "redist", {{"redist", nullptr}, {"vc.exe", kVc2010}}, "vc.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    TestFolder folder;
    ASSERT_TRUE(MakeFixture(folder, c.before));
    const Tree before = folder.Snapshot();
    std::string reason;
    const testing::LockedRun run = RunWithoutWriteRight(
        folder, c.lockedFolder,
        [&] {
          PlacementSetup setup;
          setup.digests = kFixtureRuntimes;
          PlaceDroppedFile(folder.PathOf(c.dropped), setup);
          // The folder really is closed to this process.
          const Text probe = c.lockedFolder.empty() ? "probe" : TextConcat(c.lockedFolder, "\\probe");
          return !EnsureDirectory(folder.PathOf(probe));
        },
        reason);
    if (run == testing::LockedRun::kUnsupported)
      GTEST_SKIP() << "no folder without write right here: " << reason;
    EXPECT_EQ(run, testing::LockedRun::kRan) << reason;
    EXPECT_EQ(folder.Snapshot(), before);
  }
}

TEST(PlaceDroppedFile, PathsWithoutFolderOrNameTouchNothing) {
  TestFolder folder;
  ASSERT_TRUE(folder.WriteFile(kMain, "main"));
  ASSERT_TRUE(folder.WriteFile(kPack, "pack"));
  const Tree before = folder.Snapshot();
  const bool rootRedist = IsDirectory("\\redist");
  const bool currentRedist = IsDirectory("redist");
  const Text paths[] = {
      "",
      "\\",
      folder.Path(),  // ends in its backslash: no file name
      kPack,          // no folder part
      TextConcat("\\\\server\\share\\", kMain),
      TextConcat("\\\\server\\share\\", kPack),
  };
  for (const Text& path : paths) {
    SCOPED_TRACE("path " + path);
    PlaceDroppedFile(path);
    EXPECT_EQ(folder.Snapshot(), before);
    EXPECT_EQ(IsDirectory("\\redist"), rootRedist);
    EXPECT_EQ(IsDirectory("redist"), currentRedist);
  }
  OnFileDropped(nullptr);
  EXPECT_EQ(folder.Snapshot(), before);
  EXPECT_EQ(IsDirectory("\\redist"), rootRedist);
}

TEST(OnFileDropped, PlacesACopyOfThePathWithTheProductionTable) {
  TestFolder folder;
  ASSERT_TRUE(folder.WriteFile(kMain, "main"));
  ASSERT_TRUE(folder.WriteFile("notes.txt", kVc2010));
  const Tree before = folder.Snapshot();
  std::string buffer = folder.PathOf(kMain);
  OnFileDropped(buffer.c_str());
  buffer = folder.PathOf("notes.txt");  // the drop target reuses its buffer
  OnFileDropped(buffer.c_str());
  // The fixture's content is no real runtime installer: it stays.
  EXPECT_EQ(folder.Snapshot(), Expected(before, {{kMain, "Bootstrapper.exe"}}, {"redist"}));
}

}  // namespace
}  // namespace tessavel
