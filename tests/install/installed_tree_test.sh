#!/usr/bin/env bash
# Installs into a scratch folder, moves the folder, and runs the moved
# runner on the demo cartridge with the installed plug-ins; checks the
# layout and the desktop entry.
. "$(dirname "$0")/common.sh"

cmake --install "$build" --prefix "$work/installed" >/dev/null
mv "$work/installed" "$work/moved"
tree=$work/moved

expected=(
  bin/taviro-run
  lib/taviro/board0.so lib/taviro/board1.so lib/taviro/board2.so lib/taviro/board3.so
  lib/taviro/board4.so lib/taviro/board7.so lib/taviro/board9.so lib/taviro/board30.so
  share/man/man1/taviro-run.1.gz
  share/icons/hicolor/48x48/apps/$app_id.png
  share/icons/hicolor/256x256/apps/$app_id.png
  share/icons/hicolor/scalable/apps/$app_id.svg
  share/icons/hicolor/48x48/apps/$app_id-viewer.png
)
has_taviro && expected+=(bin/taviro share/man/man1/taviro.1.gz share/applications/$app_id.desktop)
for file in "${expected[@]}"; do
  [ -e "$tree/$file" ] || fail "not installed: $file"
done
[ -z "$(find "$tree/bin" -name '*.so')" ] || fail "plug-ins installed beside the programs"

# The moved runner finds the plug-ins in ../lib/taviro and draws what the
# runner in the build tree draws.
"$tree/bin/taviro-run" --frames 30 --press right@5-25 --screenshot "$work/moved.png" "$demo" ||
  fail "the moved taviro-run could not run the demo cartridge"
"$build/bin/taviro-run" --frames 30 --press right@5-25 --screenshot "$work/built.png" "$demo"
cmp -s "$work/moved.png" "$work/built.png" || fail "the moved runner drew a different picture"

# --boards still wins over both folders, and a missing plug-in keeps its message.
missing="Make sure the mapper .dll is in the same directory as Taviro."
mkdir "$work/no-boards"
if "$tree/bin/taviro-run" --frames 1 --boards "$work/no-boards" "$demo" 2>"$work/err"; then
  fail "--boards with an empty folder still found a plug-in"
fi
grep -qF "$missing" "$work/err" || fail "unexpected message: $(cat "$work/err")"
rm -r "$tree/lib/taviro"
if "$tree/bin/taviro-run" --frames 1 "$demo" 2>"$work/err"; then
  fail "the runner found a plug-in after the plug-in folder was removed"
fi
grep -qF "$missing" "$work/err" || fail "unexpected message: $(cat "$work/err")"

if has_taviro; then
  QT_QPA_PLATFORM=offscreen "$tree/bin/taviro" --version >/dev/null || fail "the moved taviro --version failed"
  entry=$tree/share/applications/$app_id.desktop
else
  entry=$source/packaging/$app_id.desktop
fi
# Hints are advice (an emulator and a debugger belong to two menus);
# errors and warnings are not.
desktop-file-validate "$entry" >"$work/validate" || fail "$(cat "$work/validate")"
! grep -E "error:|warning:" "$work/validate" || fail "desktop-file-validate complains"
grep -qx "Exec=taviro %f" "$entry" || fail "the desktop entry does not run taviro FILE"
grep -qx "MimeType=application/x-nes-rom;" "$entry" || fail "the desktop entry does not open .nes files"
grep -qx "Icon=$app_id" "$entry" || fail "the desktop entry names another icon"
echo "installed tree: ${#expected[@]} files checked, moved runner ran the demo cartridge"
