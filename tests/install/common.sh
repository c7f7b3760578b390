# Shared by the install tests: the build and source folders from the
# command line, a scratch folder removed on exit, and fail.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
app_id=io.github.taviro.taviro
demo=$build/roms/demo.nes
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The desktop program is checked only when it is built.
has_taviro() { [ -x "$build/bin/taviro" ]; }
