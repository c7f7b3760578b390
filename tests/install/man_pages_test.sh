#!/usr/bin/env bash
# Every option a program's --help lists is described in its manual page,
# every option the page's OPTIONS section describes is one --help lists, and
# the pages format without warnings.
. "$(dirname "$0")/common.sh"

# The options of a usage text: words starting with - or -- at the start of
# a line or after a comma or a space.
help_options() {
  grep -oE '(^|[ ,])--?[A-Za-z?][A-Za-z0-9-]*' | sed -E 's/^[ ,]//' | sort -u
}

check_page() {
  local program=$1 page=$source/packaging/man/$2
  local text
  groff -man -ww -z "$page" 2>"$work/groff" || fail "groff failed on $page"
  [ ! -s "$work/groff" ] || fail "$page: $(cat "$work/groff")"
  text=$(sed 's/\\-/-/g' "$page")
  local options
  options=$(QT_QPA_PLATFORM=offscreen "$program" --help | help_options)
  [ -n "$options" ] || fail "$program --help lists no options"
  for option in $options; do
    grep -qE -- "(^|[^A-Za-z0-9-])$(sed 's/[?]/[?]/' <<<"$option")([^A-Za-z0-9-]|\$)" <<<"$text" ||
      fail "$2 does not describe $option"
  done
  # The tags of the OPTIONS section: the line after each .TP.
  local described
  described=$(sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$page" | sed -n '/^\.TP/{n;p}' |
    sed 's/\\-/-/g' | help_options)
  for option in $described; do
    grep -qxF -- "$option" <<<"$options" || fail "$2 describes $option, which --help does not list"
  done
  echo "$2: $(wc -w <<<"$options") options described"
}

check_page "$build/bin/taviro-run" taviro-run.1
if has_taviro; then
  check_page "$build/bin/taviro" taviro.1
fi
