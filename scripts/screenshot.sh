#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window on a private X server after
# choosing "Calgary" and "Anik E2 - Star Choice (Canada)" with mouse and keys.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/build.sh dev
exec tests/desktop/with-x-server.sh scripts/screenshot-session.sh "$PWD/docs/screenshot.png"
