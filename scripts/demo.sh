#!/usr/bin/env bash
# Installs what is needed, builds, and starts Kestrel on its demo default: its SERVER and WIN
# ports on pseudo-terminals of the simulator, a quiet modem on SERVER and the polling software on
# WIN, which dials once the server has opened its port. With a display Kestrel opens on the
# desktop (press SERVER); without one it runs on Qt's offscreen platform, the SERVER press is
# made for you, and a picture of the work window is saved.
#   scripts/demo.sh plover [good|cut|adds-byte|corrupts-byte|fails-once]
# starts Plover instead, on a simulated null-modem cable (good by default) between two
# pseudo-terminals named COM1 and COM2 by Plover's port map; without a display the one-cycle test
# is run for you and a picture of the tester window is saved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"

demo="$root/demo"
if [ "${1:-}" = plover ]; then
    cable=${2:-good}
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec "$root/build/tools/plover-sim" "$root/build/stage" "$demo" --cable "$cable"
    fi
    echo "No display here: Plover runs on the offscreen platform."
    QT_QPA_PLATFORM=offscreen "$root/build/tools/plover-sim" "$root/build/stage" "$demo" \
        --cable "$cable" --snapshot "$demo/plover-tester-window.png" 2>/dev/null
    exit
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$root/build/tools/kestrel-sim" "$root/build/stage" "$demo"
fi
echo "No display here: Kestrel runs on the offscreen platform."
QT_QPA_PLATFORM=offscreen "$root/build/tools/kestrel-sim" "$root/build/stage" "$demo" \
    --snapshot "$demo/kestrel-work-window.png" 2>/dev/null
