#!/usr/bin/env bash
# Installs what is needed, builds, and starts Kestrel on its demo default. With a display it
# opens on the desktop; without one it starts on Qt's offscreen platform and saves a picture of
# its main window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"

# The demo program folder: the staged tree with a Work folder of its own.
demo="$root/demo"
mkdir -p "$demo/Work"
cp -a "$root/build/stage/." "$demo/"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$demo/Kestrel"
fi
picture="$demo/kestrel-main-window.png"
QT_QPA_PLATFORM=offscreen "$root/build/tools/kestrel-snapshot" "$demo" "$picture" >/dev/null
echo "No display here: Kestrel started on the offscreen platform."
echo "Picture of its main window: $picture"
