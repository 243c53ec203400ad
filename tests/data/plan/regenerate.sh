#!/bin/sh
# Rewrites the golden plans from the *.grid pictures with the current planner. Review the
# diff line by line before committing it: these files are the planner's expected output.
# Usage: tests/data/plan/regenerate.sh BUILD_DIR
set -e
ZEB_REGENERATE_GOLDEN=1 "${1:?build directory}/tests/test_job" --gtest_filter='PlanGolden.*' >/dev/null \
    && echo "golden plans rewritten; now review: git diff tests/data/plan"
