// Linux only: how Windows-form paths reach the Linux file system, and the
// move for file systems that refuse RENAME_NOREPLACE.
#include "core/paths_posix.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/tests/test_folder.h"

namespace tessavel {
namespace {

struct MappingCase {
  Text path;
  std::optional<std::string> native;
};

TEST(NativePathOf, MapsDriveZAsWineDoesAndRefusesTheRest) {
  const MappingCase cases[] = {
      {"Z:\\tmp\\pkg\\a.exe", "/tmp/pkg/a.exe"},
      {"z:/tmp/a.exe", "/tmp/a.exe"},
      {"Z:", "/"},
      {"Z:\\", "/"},
      {"\\tmp\\a.exe", "/tmp/a.exe"},
      {"pkg\\a.exe", "pkg/a.exe"},
      // 億 (0x83 0x7C) and 乗 (0x81 0x5C): their trail bytes stay inside them.
      {"Z:\\\x83\x7C\\\x81\x5C.exe", "/\xE5\x84\x84/\xE4\xB9\x97.exe"},
      {"C:\\pkg\\a.exe", std::nullopt},
      {"Z:a.exe", std::nullopt},
      {"\\\\server\\share\\a.exe", std::nullopt},
      {"//server/share/a.exe", std::nullopt},
      {"", std::nullopt},
      {"Z:\\a\x81", std::nullopt},                 // a lead byte with no trail byte
      {Text("Z:\\a\0b.exe", 10), std::nullopt},    // would name a.exe's folder "a"
  };
  for (const MappingCase& c : cases) {
    SCOPED_TRACE("path " + c.path);
    EXPECT_EQ(NativePathOf(c.path), c.native);
  }
}

TEST(MoveFileByLink, MovesAFileButNeverReplacesOrMovesAFolder) {
  testing::TestFolder folder;
  ASSERT_TRUE(folder.WriteFile("a.exe", "source"));
  ASSERT_TRUE(folder.WriteFile("taken.exe", "existing"));
  ASSERT_TRUE(folder.MakeFolder("dir"));
  const auto native = [&](const Text& name) { return NativePathOf(folder.PathOf(name)).value(); };
  const testing::Tree before = folder.Snapshot();

  EXPECT_FALSE(MoveFileByLink(native("a.exe"), native("taken.exe")));
  EXPECT_FALSE(MoveFileByLink(native("dir"), native("moved")));
  EXPECT_FALSE(MoveFileByLink(native("missing.exe"), native("b.exe")));
  EXPECT_FALSE(MoveFileByLink(native("a.exe"), native("nofolder\\b.exe")));
  EXPECT_EQ(folder.Snapshot(), before);

  EXPECT_TRUE(MoveFileByLink(native("a.exe"), native("dir\\b.exe")));
  const testing::Tree after = {
      {"dir", {true, ""}},
      {"dir\\b.exe", {false, "source"}},
      {"taken.exe", {false, "existing"}},
  };
  EXPECT_EQ(folder.Snapshot(), after);
}

}  // namespace
}  // namespace tessavel
