#include "core/paths.h"

#include <gtest/gtest.h>

#include "core/tests/test_folder.h"

namespace tessavel {
namespace {

// Code page 936: 億 is 0x83 0x7C (its second byte is "|"), 乗 is 0x81 0x5C
// (its second byte is "\").
#define YI "\x83\x7C"
#define JO "\x81\x5C"

struct SplitCase {
  Text path;
  Text name;          // FileNameOf with the extension
  Text bareName;      // FileNameOf without it
  Text extension;     // ExtensionOf
  Text directory;     // DirectoryOf
};

TEST(PathSplitting, TakesPathsApartAtCharacterStarts) {
  const SplitCase cases[] = {
      {"C:\\pkg\\rhino_en-us_6.17.19190.13001.exe", "rhino_en-us_6.17.19190.13001.exe",
       "rhino_en-us_6.17.19190.13001", ".exe", "C:\\pkg\\"},
      {"C:\\pkg\\", "", "", "", "C:\\pkg\\"},
      {"C:\\pkg", "pkg", "pkg", "", "C:\\"},
      {"C:\\pkg\\a.exe", "a.exe", "a", ".exe", "C:\\pkg\\"},
      {"a.exe", "a.exe", "a", ".exe", ""},
      {"C:/pkg/a.exe", "a.exe", "a", ".exe", ""},
      {"", "", "", "", ""},
      {"\\", "", "", "", "\\"},
      {"\\\\server\\share\\a.b.msi", "a.b.msi", "a.b", ".msi", "\\\\server\\share\\"},
      {"C:\\pkg.d\\archive", "archive", "archive", "", "C:\\pkg.d\\"},
      {"C:\\pkg\\.profile", ".profile", "", ".profile", "C:\\pkg\\"},
      {"C:\\pkg\\name.", "name.", "name", ".", "C:\\pkg\\"},
      // A blank after the last dot ends the extension, as the shell reads it.
      {"C:\\pkg\\a.b c", "a.b c", "a.b c", "", "C:\\pkg\\"},
      // Trail bytes "|" and "\" are parts of characters, never separators.
      {"C:\\pkg\\" YI ".exe", YI ".exe", YI, ".exe", "C:\\pkg\\"},
      {"C:\\" JO "\\a.exe", "a.exe", "a", ".exe", "C:\\" JO "\\"},
      {"C:\\pkg\\a" JO, "a" JO, "a" JO, "", "C:\\pkg\\"},
      {"C:\\pkg\\" JO "x.exe", JO "x.exe", JO "x", ".exe", "C:\\pkg\\"},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE("path " + c.path);
    EXPECT_EQ(FileNameOf(c.path, true), c.name);
    EXPECT_EQ(FileNameOf(c.path, false), c.bareName);
    EXPECT_EQ(ExtensionOf(c.path), c.extension);
    EXPECT_EQ(DirectoryOf(c.path), c.directory);
  }
}

struct ValidityCase {
  Text path;
  bool validExtensionOptional;
  bool validExtensionRequired;
};

TEST(IsValidFilePath, AcceptsOnlyDriveLetterPathsWithACleanName) {
  const ValidityCase cases[] = {
      {"C:\\pkg\\Bootstrapper.exe", true, true},
      {"c:\\pkg\\Bootstrapper.exe", true, true},
      {"\\\\server\\share\\Bootstrapper.exe", false, false},
      {"C:\\pkg\\", false, false},
      {"C:\\pkg\\a?b.exe", false, false},
      {"C:\\pkg\\a\"b.exe", false, false},
      {"C:\\pkg\\a<b.exe", false, false},
      {"C:\\pkg\\a*b.exe", false, false},
      {"C:\\pkg\\a|b.exe", false, false},
      {"pkg\\a.exe", false, false},
      {"AB:\\a.exe", true, true},
      {"C:/pkg/a.exe", true, true},
      {"C:\\pkg\\archive", true, false},
      {"C:\\pkg\\.profile", true, false},
      {"C:\\pkg\\name.", true, false},
      {"C:\\pkg\\a.b", true, true},
      {"", false, false},
      {"\\", false, false},
      {"1:\\a.exe", false, false},
      {"C:\\pkg\\" YI ".exe", true, true},
      {"C:\\pkg\\" JO "x.exe", true, true},
      // Only the file name is checked for forbidden characters.
      {"C:\\p?kg\\a.exe", true, true},
  };
  for (const ValidityCase& c : cases) {
    SCOPED_TRACE("path " + c.path);
    EXPECT_EQ(IsValidFilePath(c.path), c.validExtensionOptional);
    EXPECT_EQ(IsValidFilePath(c.path, true), c.validExtensionOptional);
    EXPECT_EQ(IsValidFilePath(c.path, false), c.validExtensionRequired);
  }
}

TEST(HasIllegalNameChar, FindsTheNineCharactersAtCharacterStartsOnly) {
  for (const char* c : {"?", "/", "\\", "<", ">", "*", "|", ":", "\""}) {
    SCOPED_TRACE(std::string("character ") + c);
    EXPECT_TRUE(HasIllegalNameChar(TextConcat("a", c, "b.exe")));
    EXPECT_TRUE(HasIllegalNameChar(c));
  }
  EXPECT_FALSE(HasIllegalNameChar(YI ".exe"));
  EXPECT_FALSE(HasIllegalNameChar(JO ".exe"));
  EXPECT_TRUE(HasIllegalNameChar(YI "|.exe"));
  EXPECT_FALSE(HasIllegalNameChar("Bootstrapper.exe"));
  EXPECT_FALSE(HasIllegalNameChar(""));
}

class PathFileSystem : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(folder.Path().empty()) << "no temporary folder"; }
  testing::TestFolder folder;
};

TEST_F(PathFileSystem, IsDirectoryOnlyForExistingFolders) {
  ASSERT_TRUE(folder.MakeFolder("dir"));
  ASSERT_TRUE(folder.WriteFile("file.txt", "x"));
  EXPECT_TRUE(IsDirectory(folder.PathOf("dir")));
  EXPECT_TRUE(IsDirectory(folder.PathOf("dir\\")));
  EXPECT_FALSE(IsDirectory(folder.PathOf("file.txt")));
  EXPECT_FALSE(IsDirectory(folder.PathOf("missing")));
  EXPECT_FALSE(IsDirectory(""));
}

TEST_F(PathFileSystem, EnsureDirectoryMakesEveryMissingFolder) {
  EXPECT_TRUE(EnsureDirectory(folder.PathOf("pkg\\redist")));
  EXPECT_TRUE(EnsureDirectory(folder.PathOf("pkg\\redist")));  // exists: still success
  EXPECT_TRUE(EnsureDirectory(folder.PathOf("pkg\\redist\\de-de\\")));
  EXPECT_TRUE(EnsureDirectory(folder.PathOf(YI "\\" JO)));
  const testing::Tree expected = {
      {"pkg", {true, ""}},
      {"pkg\\redist", {true, ""}},
      {"pkg\\redist\\de-de", {true, ""}},
      {YI, {true, ""}},
      {YI "\\" JO, {true, ""}},
  };
  EXPECT_EQ(folder.Snapshot(), expected);
}

TEST_F(PathFileSystem, EnsureDirectoryFailsWhereAFileStands) {
  ASSERT_TRUE(folder.WriteFile("redist", "a file"));
  EXPECT_FALSE(EnsureDirectory(folder.PathOf("redist")));
  EXPECT_FALSE(EnsureDirectory(folder.PathOf("redist\\de-de")));
  EXPECT_EQ(folder.Snapshot(), (testing::Tree{{"redist", {false, "a file"}}}));
}

TEST_F(PathFileSystem, EnsureDirectoryOfTheEmptyPathIsTheDriveRoot) {
  EXPECT_TRUE(EnsureDirectory(""));
  EXPECT_TRUE(EnsureDirectory("\\"));
}

TEST_F(PathFileSystem, RenameAndMoveNeverReplace) {
  ASSERT_TRUE(folder.WriteFile("a.exe", "source"));
  ASSERT_TRUE(folder.WriteFile("Bootstrapper.exe", "existing"));
  ASSERT_TRUE(folder.MakeFolder("empty"));
  ASSERT_TRUE(folder.MakeFolder("dir"));
  const testing::Tree before = folder.Snapshot();

  EXPECT_FALSE(RenameIfValid(folder.PathOf("a.exe"), folder.PathOf("Bootstrapper.exe")));
  MoveFileTo(folder.PathOf("a.exe"), folder.PathOf("Bootstrapper.exe"));
  // An empty folder is replaced by a plain rename() on Linux; never here.
  MoveFileTo(folder.PathOf("dir"), folder.PathOf("empty"));
  MoveFileTo(folder.PathOf("a.exe"), folder.PathOf("empty"));
  EXPECT_FALSE(RenameIfValid(folder.PathOf("dir"), folder.PathOf("empty")));
  EXPECT_EQ(folder.Snapshot(), before);
}

TEST_F(PathFileSystem, RenameIfValidMovesOnlyToAValidTarget) {
  ASSERT_TRUE(folder.WriteFile("a.exe", "source"));
  ASSERT_TRUE(folder.MakeFolder("sub"));
  EXPECT_FALSE(RenameIfValid(folder.PathOf("a.exe"), folder.PathOf("a?.exe")));
  EXPECT_FALSE(RenameIfValid(folder.PathOf("a.exe"), folder.PathOf("sub\\")));
  EXPECT_FALSE(RenameIfValid(folder.PathOf("a.exe"), "\\\\server\\share\\a.exe"));
  EXPECT_FALSE(RenameIfValid(folder.PathOf("missing.exe"), folder.PathOf("b.exe")));
  EXPECT_FALSE(RenameIfValid(folder.PathOf("a.exe"), folder.PathOf("nofolder\\b.exe")));
  EXPECT_TRUE(RenameIfValid(folder.PathOf("a.exe"), folder.PathOf("sub\\" YI ".exe")));
  EXPECT_EQ(folder.Snapshot(),
            (testing::Tree{{"sub", {true, ""}}, {"sub\\" YI ".exe", {false, "source"}}}));
}

TEST_F(PathFileSystem, MoveFileToMovesFilesAndFolders) {
  ASSERT_TRUE(folder.WriteFile("a.msi", "pack"));
  ASSERT_TRUE(folder.MakeFolder("pack.msi"));
  ASSERT_TRUE(folder.WriteFile("pack.msi\\inside.txt", "inside"));
  ASSERT_TRUE(folder.MakeFolder("redist"));
  MoveFileTo(folder.PathOf("a.msi"), folder.PathOf("redist\\LanguagePack.msi"));
  MoveFileTo(folder.PathOf("pack.msi"), folder.PathOf("redist\\moved"));
  const testing::Tree expected = {
      {"redist", {true, ""}},
      {"redist\\LanguagePack.msi", {false, "pack"}},
      {"redist\\moved", {true, ""}},
      {"redist\\moved\\inside.txt", {false, "inside"}},
  };
  EXPECT_EQ(folder.Snapshot(), expected);
}

}  // namespace
}  // namespace tessavel
