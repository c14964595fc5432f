#!/usr/bin/env bash
# Installs what is missing, builds Vesperin and starts it against the emulated
# notebook (its machine image is created on first use).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/install-deps.sh"
"$here/tools/build.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -x "$here/build/bin/vesperin" ]; then
  exec "$here/build/bin/vesperin" "$@"
fi
# Until the windows are built, the command-line reader shows the alarm.
exec "$here/build/bin/vpalarm" "$@"
