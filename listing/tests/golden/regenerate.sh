#!/bin/sh
# Rewrites the golden reports of the listing tables (and the fixed charts they are made from).
# Run it only on purpose, after checking why the reports changed; review the diff before committing.
# usage: listing/tests/golden/regenerate.sh BUILD_DIR      (e.g. build/dev)
set -eu
build=${1:?usage: regenerate.sh BUILD_DIR}
cmake --build "$build" --target talpora_listing_tests
TALPORA_UPDATE_GOLDEN=1 "$build/tests/talpora_listing_tests" --gtest_filter='Golden.*'
git -C "$(dirname "$0")" status --short .
