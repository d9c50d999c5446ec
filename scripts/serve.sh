#!/usr/bin/env bash
# Serves the course site with its compressed files and cache headers, as a school's web space
# should (docs/browser.md says how Apache and nginx do the same):
# scripts/serve.sh [site folder] [--port N] [--host ADDRESS]     (default build-wasm/site, 8000)
set -euo pipefail
cd "$(dirname "$0")/.."
exec node web/serve.mjs "$@"
