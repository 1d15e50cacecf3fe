#!/usr/bin/env bash
# Installs what is needed, builds, and starts Kestrel on its demo default: its SERVER and WIN
# ports on pseudo-terminals of the simulator, a quiet modem on SERVER and the polling software on
# WIN, which dials once the server has opened its port. With a display Kestrel opens on the
# desktop (press SERVER); without one it runs on Qt's offscreen platform, the SERVER press is
# made for you, and a picture of the work window is saved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"

demo="$root/demo"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$root/build/tools/kestrel-sim" "$root/build/stage" "$demo"
fi
echo "No display here: Kestrel runs on the offscreen platform."
QT_QPA_PLATFORM=offscreen "$root/build/tools/kestrel-sim" "$root/build/stage" "$demo" \
    --snapshot "$demo/kestrel-work-window.png" 2>/dev/null
