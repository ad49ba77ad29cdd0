#include "deploy/md5.h"

#include <gtest/gtest.h>

#include <string>

#include "core/tests/test_folder.h"
#include "deploy/file_reader.h"

namespace tessavel {
namespace {

struct DigestCase {
  std::string message;
  const char* digest;
};

// The test suite of RFC 1321, appendix A.5, and the padding boundaries
// (55 and 56 bytes change whether the length fits the last block).
const DigestCase kDigestCases[] = {
    {"", "D41D8CD98F00B204E9800998ECF8427E"},
    {"a", "0CC175B9C0F1B6A831C399E269772661"},
    {"abc", "900150983CD24FB0D6963F7D28E17F72"},
    {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
    {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "D174AB98D277D9F5A5611C2C9F419D9F"},
    {"1234567890123456789012345678901234567890123456789012345678901234567890"
     "1234567890",
     "57EDF4A22BE3C955AC49DA2E2107B67A"},
    {std::string(55, 'a'), "EF1772B6DFF9A122358552954AD0DF65"},
    {std::string(56, 'a'), "3B0C8AC703F828B04C6C197006D17218"},
    {std::string(57, 'a'), "652B906D60AF96844EBD21B674F35E93"},
    {std::string(63, 'a'), "B06521F39153D618550606BE297466D5"},
    {std::string(64, 'a'), "014842D480B571495A4A0363793F7367"},
    {std::string(65, 'a'), "C743A45E0D2E6A95CB859ADAE0248435"},
    {std::string(119, 'a'), "8A7BD0732ED6A28CE75F6DABC90E1613"},
    {std::string(120, 'a'), "5F61C0CCAD4CAC44C75FF505E1F1E537"},
    {std::string(128, 'a'), "E510683B3F5FFE4093D021808BC6FF70"},
};

TEST(Md5, GivesTheReferenceDigests) {
  for (const DigestCase& c : kDigestCases) {
    SCOPED_TRACE("message of " + std::to_string(c.message.size()) + " bytes: " + c.message);
    EXPECT_EQ(Md5HexOfBytes(c.message.data(), c.message.size()), c.digest);
  }
}

TEST(Md5, GivesTheSameDigestWhateverThePieces) {
  for (const DigestCase& c : kDigestCases) {
    for (std::size_t piece : {1u, 3u, 63u, 64u, 65u}) {
      SCOPED_TRACE(std::to_string(c.message.size()) + " bytes in pieces of " +
                   std::to_string(piece));
      Md5 md5;
      for (std::size_t at = 0; at < c.message.size(); at += piece)
        md5.Update(c.message.data() + at, std::min(piece, c.message.size() - at));
      EXPECT_EQ(Md5ToHex(md5.Finish()), c.digest);
    }
  }
}

TEST(Md5, StartsAfreshAfterFinish) {
  Md5 md5;
  md5.Update("abc", 3);
  md5.Finish();
  md5.Update("a", 1);
  EXPECT_EQ(Md5ToHex(md5.Finish()), "0CC175B9C0F1B6A831C399E269772661");
}

// A content longer than two read pieces, not a whole number of blocks.
std::string LargeContent() {
  std::string content(2 * kFileReadPieceSize + 3, '\0');
  for (std::size_t i = 0; i < content.size(); ++i)
    content[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return content;
}

TEST(Md5OfFile, HashesTheWholeContentOrNothing) {
  testing::TestFolder folder;
  ASSERT_FALSE(folder.Path().empty());
  ASSERT_TRUE(folder.WriteFile("abc.txt", "abc"));
  ASSERT_TRUE(folder.WriteFile("large.bin", LargeContent()));
  ASSERT_TRUE(folder.WriteFile("empty.bin", ""));
  ASSERT_TRUE(folder.WriteFile("\x83\x7C\x81\x5C.exe", "message digest"));  // 億乗.exe
  ASSERT_TRUE(folder.MakeFolder("folder"));

  struct FileCase {
    Text path;
    const char* digest;
  } const cases[] = {
      {folder.PathOf("abc.txt"), "900150983CD24FB0D6963F7D28E17F72"},
      {folder.PathOf("large.bin"), "E98A597CDDE35F4717FA80CECD63DFEC"},
      {folder.PathOf("\x83\x7C\x81\x5C.exe"), "F96B697D7CB7938D525A2F31AAF161D0"},
      // No digest at all, not that of empty content: nothing can match it.
      {folder.PathOf("empty.bin"), ""},
      {folder.PathOf("missing.bin"), ""},
      {folder.PathOf("folder"), ""},
      {"", ""},
      {"\\", ""},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE("file " + c.path);
    EXPECT_EQ(Md5HexOfFile(c.path), c.digest);
  }
}

TEST(Md5OfFile, FileHeldOpenForWritingIsUnreadableWhereTheSystemCanDenyIt) {
  testing::TestFolder folder;
  ASSERT_TRUE(folder.WriteFile("busy.bin", "abc"));
  const testing::WriterHold writer(folder, "busy.bin");
  ASSERT_TRUE(writer.Held());
  EXPECT_EQ(Md5HexOfFile(folder.PathOf("busy.bin")),
            testing::ReadDeniedWhileWriting() ? "" : "900150983CD24FB0D6963F7D28E17F72");
}

}  // namespace
}  // namespace tessavel
