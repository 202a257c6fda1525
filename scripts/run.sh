#!/usr/bin/env bash
# Builds if needed and starts Brivanta on the sample collection.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec build/app/brivanta "$@"
