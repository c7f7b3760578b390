#!/usr/bin/env bash
# Builds the Debian package, lists its contents and dependencies, checks that
# it holds exactly what the install rules install, that its dependencies were
# computed from the libraries the programs link against, that it is what a
# distribution would take (stripped programs and plug-ins, the copyright
# notice, a changelog of this version, AppStream metainfo that validates, no
# lintian errors), and that the unpacked runner plays the demo cartridge.
. "$(dirname "$0")/common.sh"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$work/cpack.log")"
debs=("$work"/package/taviro_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "no package was made: $(cat "$work/cpack.log")"

dpkg-deb -f "$deb" Package Version Architecture Depends
dpkg-deb -c "$deb"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$work/packaged"

DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/root" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$work/installed"
diff "$work/installed" "$work/packaged" || fail "the package differs from what is installed"

depends=$(dpkg-deb -f "$deb" Depends)
# The package names alone, one a line, without their versions.
sed -E 's/ \([^)]*\)//g; s/, /\n/g' <<<"$depends" >"$work/depends"
needed=(libc6 libstdc++6 libpng16-16)
has_taviro && needed+=(libqt6widgets6 qt6-qpa-plugins)
for package in "${needed[@]}"; do
  grep -qxF "$package" "$work/depends" || fail "Depends lacks $package: $depends"
done

dpkg-deb -x "$deb" "$work/unpacked"
"$work/unpacked/usr/bin/taviro-run" --frames 10 "$demo" || fail "the unpacked taviro-run failed"

# Every program and plug-in is stripped of its symbols and debug sections.
while read -r binary; do
  file -b "$binary" | grep -q ', stripped' || fail "not stripped: ${binary#"$work"/unpacked}"
done < <(find "$work/unpacked/usr/bin" "$work/unpacked/usr/lib" -type f)

doc=$work/unpacked/usr/share/doc/taviro
[ -s "$doc/copyright" ] || fail "no copyright notice in /usr/share/doc/taviro"
version=$(dpkg-deb -f "$deb" Version)
zcat "$doc/changelog.gz" >"$work/changelog"
latest=$(dpkg-parsechangelog -l "$work/changelog" -S Version) ||
  fail "the changelog is not in Debian's format"
[ "$latest" = "$version" ] || fail "the changelog's latest entry is $latest, the package $version"

if has_taviro; then
  metainfo=$work/unpacked/usr/share/metainfo/$app_id.metainfo.xml
  appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/appstream")"
  grep -qF "<release version=\"$version\"" "$metainfo" || fail "the metainfo names another release"
fi

# Errors fail; the warnings and notes left are printed (the README says why
# each is there).
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps installs it)"
lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || fail "lintian: $(cat "$work/lintian")"
cat "$work/lintian"
echo "package $(basename "$deb"): $(wc -l <"$work/packaged") files"
