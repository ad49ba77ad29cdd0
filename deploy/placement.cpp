#include "deploy/placement.h"

#include "core/paths.h"
#include "deploy/md5.h"
#include "regex/regex_object.h"

namespace tessavel {
namespace {

void Place(const Text& path, const PlacementSetup& setup) {
  const Text folder = DirectoryOf(path);
  const Text name = FileNameOf(path, true);
  // Without a folder or a file name there is nothing to place, and the layout
  // would otherwise land in the current folder or at the root of the drive.
  if (TextCompare(folder, Text()) == 0 || TextCompare(name, Text()) == 0) return;

  RegexObject mainInstaller;
  RegexObject languagePack;

  mainInstaller.Create(kMainInstallerPattern, name);
  if (mainInstaller.GetMatchCount() > 0) {
    if (setup.beforeMove) setup.beforeMove();
    RenameIfValid(path, TextConcat(folder, "Bootstrapper.exe"));
    return;
  }

  // Every file that is not a main installer gets the redist folder beside it,
  // before it is known whether the file is recognised at all.
  const Text redist = TextConcat(folder, "redist");
  if (!IsDirectory(redist)) EnsureDirectory(redist);

  languagePack.Create(kLanguagePackPattern, name);
  if (languagePack.GetMatchCount() > 0) {
    // The folder is named as the code stands in the file name, case included.
    const Text language = languagePack.GetSubmatchText(1, 1);
    EnsureDirectory(TextConcat(folder, "redist\\", language));
    if (setup.beforeMove) setup.beforeMove();
    MoveFileTo(path, TextConcat(folder, "redist\\", language, "\\LanguagePack.msi"));
    return;
  }

  // Read and hash once; an unreadable or empty file has no digest and stays.
  const Text digest = Md5HexOfFile(path);
  if (setup.contentHashed) setup.contentHashed(digest);
  if (TextCompare(digest, Text()) == 0) return;
  for (const DigestRow& row : setup.digests) {
    if (TextCompare(digest, row.digest) == 0) {
      if (setup.beforeMove) setup.beforeMove();
      MoveFileTo(path, TextConcat(folder, row.target));
      return;
    }
  }
}

}  // namespace

void PlaceDroppedFile(const Text& path) { PlaceDroppedFile(path, PlacementSetup{}); }

void PlaceDroppedFile(const Text& path, const PlacementSetup& setup) {
  // Runs inside the drop message's handling: nothing may escape to the window
  // procedure, and a failure just leaves the file where it is.
  try {
    Place(path, setup);
  } catch (...) {
  }
}

void OnFileDropped(const char* path) {
  try {
    const Text copy = path != nullptr ? Text(path) : Text();
    PlaceDroppedFile(copy);
  } catch (...) {
  }
}

}  // namespace tessavel
