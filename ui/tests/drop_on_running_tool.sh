#!/usr/bin/env bash
# Starts the built tool under Wine as its own process and drops files on it
# from another process the way a Linux file manager does (XDND, which Wine's
# X11 driver turns into WM_DROPFILES on the window under the pointer); then
# closes it and checks the layout on disk and the exit code.
#   drop_on_running_tool.sh WINE_RUN TESSAVEL_EXE PROBE_EXE XDND_DROP
# Exit status 0 pass, 1 fail, 77 skipped (no display).
set -uo pipefail
wine_run=$1 tool=$2 probe=$3 xdnd=$4

if [ -z "${DISPLAY:-}" ]; then
  echo "no display: skipped"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tessavel-drop.XXXXXX")
tool_pid=
cleanup() {
  [ -n "$tool_pid" ] && kill "$tool_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

# The download folder: a folder name with a space and Chinese characters.
pkg="$work/下载 package"
mkdir -p "$pkg/rhino_fr-fr_languagepack_6.17.19190.13001.msi"
printf 'main installer' > "$pkg/rhino_en-us_6.17.19190.13001.exe"
printf 'second main installer' > "$pkg/rhino_en-us_6.17.19190.13002.exe"
printf 'german pack' > "$pkg/rhino_de-de_languagepack_6.17.19190.13001.msi"
printf 'chinese pack' > "$pkg/rhino_zh-cn_languagepack_6.17.19190.13001x.msi"
printf 'unrelated' > "$pkg/说明 notes.txt"
printf 'in the folder' > "$pkg/rhino_fr-fr_languagepack_6.17.19190.13001.msi/inside.txt"
before=$(cd "$pkg" && find . -mindepth 1 | LC_ALL=C sort)

"$wine_run" "$tool" &
tool_pid=$!
read -r area_x area_y button_x button_y < <("$wine_run" "$probe" locate | tr -d '\r')
[ -n "${button_y:-}" ] || fail "the tool's window did not appear"
echo "drop area at $area_x,$area_y; 按钮1 at $button_x,$button_y"

# A drop on another control is refused, and nothing moves.
"$xdnd" "$button_x" "$button_y" "$pkg/rhino_en-us_6.17.19190.13001.exe"
status=$?
[ $status -eq 3 ] || fail "drop on 按钮1: expected refusal (3), got $status"

# One drop on the drop area, in this order: the first main installer becomes
# Bootstrapper.exe, the second stays.
"$xdnd" "$area_x" "$area_y" \
  "$pkg/rhino_en-us_6.17.19190.13001.exe" \
  "$pkg/rhino_de-de_languagepack_6.17.19190.13001.msi" \
  "$pkg/rhino_zh-cn_languagepack_6.17.19190.13001x.msi" \
  "$pkg/说明 notes.txt" \
  "$pkg/rhino_fr-fr_languagepack_6.17.19190.13001.msi" \
  "$pkg/rhino_en-us_6.17.19190.13002.exe"
status=$?
[ $status -eq 0 ] || fail "drop on the drop area: expected acceptance (0), got $status"

# The drop message is queued before the close request, so the placement is
# done when the tool ends.
"$wine_run" "$probe" close || fail "could not ask the tool to close"
wait "$tool_pid"
status=$?
tool_pid=
[ $status -eq 0 ] || fail "the tool ended with $status"

after=$(cd "$pkg" && find . -mindepth 1 | LC_ALL=C sort)
expected=$(LC_ALL=C sort <<'LIST'
./Bootstrapper.exe
./redist
./redist/de-de
./redist/de-de/LanguagePack.msi
./redist/zh-cn
./redist/zh-cn/LanguagePack.msi
./redist/fr-fr
./redist/fr-fr/LanguagePack.msi
./redist/fr-fr/LanguagePack.msi/inside.txt
./rhino_en-us_6.17.19190.13002.exe
./说明 notes.txt
LIST
)
if [ "$after" != "$expected" ]; then
  echo "before:"; echo "$before"
  echo "after:"; echo "$after"
  echo "expected:"; echo "$expected"
  fail "the layout on disk differs"
fi
[ "$(cat "$pkg/Bootstrapper.exe")" = "main installer" ] || fail "Bootstrapper.exe is not the first main installer"
[ "$(cat "$pkg/redist/de-de/LanguagePack.msi")" = "german pack" ] || fail "wrong German pack"
[ "$(cat "$pkg/redist/zh-cn/LanguagePack.msi")" = "chinese pack" ] || fail "wrong Chinese pack"
echo "PASS: the running tool placed the dropped files"
