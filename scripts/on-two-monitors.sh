#!/usr/bin/env bash
# Runs a command in a Wine session of its own on two monitors side by side
# (wine_two_monitor_session_start in wine-env.sh), and ends that session after it.
#
#   on-two-monitors.sh PREFIX COMMAND [ARGUMENT...]
set -euo pipefail
prefix=$1
shift
# shellcheck source=wine-env.sh
source "$(dirname "$0")/wine-env.sh"
trap wine_session_stop EXIT
wine_two_monitor_session_start "$prefix"
"$@"
